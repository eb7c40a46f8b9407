#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRegularExpression>

QStringList Installed_Font_Families()
{
    return QFontDatabase::families();
}

TFuentesEscritorio Fuentes_Del_Escritorio()
{
    TFuentesEscritorio f(Installed_Font_Families());
    // QFontInfo names the family the font engine really uses for the request: fontconfig's
    // substitution and fallbacks, as every other program on the desktop gets them.
    f.Sustituta = [](const QString &rsFamilia) { return QFontInfo(QFont(rsFamilia)).family(); };
    f.De_Simbolos = [](const QString &rsFamilia) {
        static const QRegularExpression nombres(
            QStringLiteral("\\b(math|symbols?|emoji|dingbats?|wingdings|webdings)\\b"),
            QRegularExpression::CaseInsensitiveOption);
        return QFontDatabase::writingSystems(rsFamilia).contains(QFontDatabase::Symbol) ||
               nombres.match(rsFamilia).hasMatch();
    };
    f.sGeneral = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return f;
}
