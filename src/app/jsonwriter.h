#pragma once
// JSON written as it is made, with no document in memory: exactly the bytes that
// QJsonDocument::toJson(QJsonDocument::Indented) gives for the same values, so that a
// reader of the old output sees no change. QJsonObject keeps its keys sorted: callers give
// the keys of each object in that order.

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>
#include <QVarLengthArray>

class TEscritorJson {
public:
    // The bytes so far; the caller may take them (and clear) between values.
    QByteArray &Bytes() { return psBytes; }

    void Abrir_Objeto(QLatin1StringView rsClave = {}) { Abrir(rsClave, '{'); }
    void Cerrar_Objeto() { Cerrar('}'); }
    void Abrir_Arreglo(QLatin1StringView rsClave = {}) { Abrir(rsClave, '['); }
    void Cerrar_Arreglo() { Cerrar(']'); }

    void Texto(QLatin1StringView rsClave, QStringView rsValor);
    void Entero(QLatin1StringView rsClave, qint64 riValor);
    // Qt's shortest form that reads back the same double; null when not finite.
    void Numero(QLatin1StringView rsClave, double rdValor);

    // Goes on where rAnterior stands, riValoresAntes more values into its innermost open
    // container, with its own bytes emptied (their room kept): pieces of one array are
    // written on several threads and their bytes taken in order.
    void Seguir(const TEscritorJson &rAnterior, qsizetype riValoresAntes);
    // The next value of the innermost open container, made by a writer that went on from
    // one like this with no values before it (Seguir(..., 0)): rows made in any order and
    // joined here in another.
    void Agregar_Hecho(QByteArrayView rValor);

private:
    void Abrir(QLatin1StringView rsClave, char rcSigno);
    void Cerrar(char rcSigno);
    // Room for riBytes more bytes at the end, which the caller fills.
    char *Espacio(qsizetype riBytes);
    // Separator, indentation and key of the next value (no key inside an array).
    void Antes_Del_Valor(QLatin1StringView rsClave);
    // Counts the next value of the innermost container; true when one came before it.
    bool Contar_Valor() { return paCuentas.back()++ > 0; }
    void Agregar_Escapado(QStringView rsTexto);

    QByteArray psBytes;
    QVarLengthArray<int, 8> paCuentas; // values written so far in each open container
    QStringEncoder pCodificador{QStringEncoder::Utf8};
};
