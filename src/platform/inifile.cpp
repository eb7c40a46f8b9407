#include "inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

const QByteArray kGeneral = QByteArrayLiteral("General");

struct TLine {
    QByteArray raw;      // without its line end
    bool general = false; // inside the [General] group (or before any group)
    QByteArray key;      // trimmed key, empty for headers, comments and blank lines
};

bool Valid_Key(const QString &rsKey)
{
    return !rsKey.trimmed().isEmpty() && rsKey == rsKey.trimmed() && !rsKey.contains(QLatin1Char('='))
           && !rsKey.contains(QLatin1Char('\n')) && !rsKey.contains(QLatin1Char('\r'))
           && !rsKey.startsWith(QLatin1Char('[')) && !rsKey.startsWith(QLatin1Char(';'))
           && !rsKey.startsWith(QLatin1Char('#'));
}

QList<TLine> Parse(const QByteArray &rContent)
{
    QList<TLine> lines;
    QList<QByteArray> partes = rContent.split('\n');
    if (!partes.isEmpty() && partes.last().isEmpty())
        partes.removeLast(); // a final line end adds no line
    bool general = true;
    for (QByteArray parte : partes) {
        if (parte.endsWith('\r'))
            parte.chop(1);
        TLine line;
        line.raw = parte;
        const QByteArray t = parte.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            general = t.mid(1, t.size() - 2).trimmed() == kGeneral;
            line.general = general;
        } else {
            line.general = general;
            const qsizetype igual = parte.indexOf('=');
            if (igual > 0 && !t.startsWith(';') && !t.startsWith('#'))
                line.key = parte.left(igual).trimmed();
        }
        lines << line;
    }
    return lines;
}

bool Same_Key(const QByteArray &rKey, const QString &rsKey)
{
    return QString::fromUtf8(rKey).compare(rsKey, Qt::CaseInsensitive) == 0;
}

// The text after "=": trimmed, or literal between double quotes; escapes undone.
QString Decode_Value(const QString &rsRaw)
{
    QString s = rsRaw.trimmed();
    bool quoted = false;
    if (s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"'))) {
        s = s.mid(1, s.size() - 2);
        quoted = true;
    }
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            const QChar n = s.at(i + 1);
            if (n == QLatin1Char('\\')) { out += QLatin1Char('\\'); ++i; continue; }
            if (n == QLatin1Char('n')) { out += QLatin1Char('\n'); ++i; continue; }
            if (n == QLatin1Char('r')) { out += QLatin1Char('\r'); ++i; continue; }
            if (quoted && n == QLatin1Char('"')) { out += QLatin1Char('"'); ++i; continue; }
        }
        out += c;
    }
    return out;
}

QByteArray Encode_Value(const QString &rsValue)
{
    const bool quote = rsValue != rsValue.trimmed() || rsValue.startsWith(QLatin1Char('"'));
    QString s;
    s.reserve(rsValue.size() + 2);
    for (const QChar c : rsValue) {
        if (c == QLatin1Char('\\')) s += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n')) s += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r')) s += QStringLiteral("\\r");
        else if (quote && c == QLatin1Char('"')) s += QStringLiteral("\\\"");
        else s += c;
    }
    if (quote)
        s = QLatin1Char('"') + s + QLatin1Char('"');
    return s.toUtf8();
}

// Reads the whole file. False when it exists but cannot be read; rbExists tells apart.
bool Load(const QString &rsFile, QByteArray &fContent, bool &fbExists)
{
    fbExists = QFileInfo::exists(rsFile);
    if (!fbExists)
        return true;
    QFile file(rsFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    fContent = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool Save(const QString &rsFile, const QList<TLine> &rLines)
{
    if (!QDir().mkpath(QFileInfo(rsFile).absolutePath()))
        return false;
    QByteArray content;
    for (const TLine &line : rLines)
        content += line.raw + '\n';
    QSaveFile file(rsFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

IniRead Ini_Read(const QString &rsFile, const QString &rsKey, QString &fsValue)
{
    fsValue.clear();
    QByteArray content;
    bool exists = false;
    if (!Load(rsFile, content, exists) || !exists)
        return IniRead::NoFile;
    if (!Valid_Key(rsKey))
        return IniRead::Missing;
    IniRead result = IniRead::Missing;
    // The last line of a key wins, as in other INI readers.
    for (const TLine &line : Parse(content)) {
        if (!line.general || line.key.isEmpty() || !Same_Key(line.key, rsKey))
            continue;
        const QByteArray raw = line.raw.mid(line.raw.indexOf('=') + 1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(raw);
        if (utf8.hasError() || text.contains(QChar(0))) {
            fsValue.clear();
            result = IniRead::NotText;
        } else {
            fsValue = Decode_Value(text);
            result = IniRead::Value;
        }
    }
    return result;
}

bool Ini_Write(const QString &rsFile, const QString &rsKey, const QString &rsValue)
{
    if (!Valid_Key(rsKey))
        return false;
    QByteArray content;
    bool exists = false;
    if (!Load(rsFile, content, exists))
        return false; // never replace a file we could not read
    QList<TLine> lines = Parse(content);
    TLine nueva;
    nueva.raw = rsKey.toUtf8() + '=' + Encode_Value(rsValue);
    nueva.general = true;
    nueva.key = rsKey.toUtf8();

    bool puesta = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].general || lines[i].key.isEmpty() || !Same_Key(lines[i].key, rsKey))
            continue;
        if (!puesta) {
            lines[i] = nueva;
            puesta = true;
        } else {
            lines.removeAt(i--);
        }
    }
    if (!puesta) {
        // After the last key line (or the header) of the [General] group, else a new
        // group at the top.
        qsizetype despues = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray t = lines[i].raw.trimmed();
            const bool header = t.startsWith('[') && t.endsWith(']');
            if (lines[i].general && (header || !lines[i].key.isEmpty()))
                despues = i;
        }
        if (despues >= 0) {
            lines.insert(despues + 1, nueva);
        } else {
            TLine header;
            header.raw = QByteArrayLiteral("[General]");
            header.general = true;
            lines.insert(0, nueva);
            lines.insert(0, header);
        }
    }
    return Save(rsFile, lines);
}

bool Ini_Delete(const QString &rsFile, const QString &rsKey)
{
    if (!Valid_Key(rsKey))
        return false;
    QByteArray content;
    bool exists = false;
    if (!Load(rsFile, content, exists))
        return false;
    if (!exists)
        return true;
    QList<TLine> lines = Parse(content);
    const qsizetype antes = lines.size();
    lines.removeIf([&](const TLine &l) { return l.general && !l.key.isEmpty() && Same_Key(l.key, rsKey); });
    if (lines.size() == antes)
        return true;
    return Save(rsFile, lines);
}
