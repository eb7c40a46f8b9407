#include "autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// Escaping of desktop-file string values: applied on top of the Exec quoting.
QString Escape_String(const QString &rs)
{
    QString out;
    for (const QChar c : rs) {
        if (c == QLatin1Char('\\')) out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n')) out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r')) out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t')) out += QStringLiteral("\\t");
        else out += c;
    }
    return out;
}

QString Unescape_String(const QString &rs)
{
    QString out;
    for (qsizetype i = 0; i < rs.size(); ++i) {
        const QChar c = rs.at(i);
        if (c == QLatin1Char('\\') && i + 1 < rs.size()) {
            const QChar n = rs.at(++i);
            if (n == QLatin1Char('s')) out += QLatin1Char(' ');
            else if (n == QLatin1Char('n')) out += QLatin1Char('\n');
            else if (n == QLatin1Char('t')) out += QLatin1Char('\t');
            else if (n == QLatin1Char('r')) out += QLatin1Char('\r');
            else if (n == QLatin1Char('\\')) out += QLatin1Char('\\');
            else { out += c; out += n; }
        } else {
            out += c;
        }
    }
    return out;
}

QString Double_Percent(const QString &rs)
{
    QString out = rs;
    return out.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString Single_Percent(const QString &rs)
{
    QString out = rs;
    return out.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

bool Is_True(const QString &rs)
{
    return rs.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

bool Is_False(const QString &rs)
{
    return rs.trimmed().compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString Exec_From_Command(const QString &rsCommand)
{
    // "<path>" rest: the path is the text between the first and the last double quote.
    const qsizetype cierre = rsCommand.lastIndexOf(QLatin1Char('"'));
    if (!rsCommand.startsWith(QLatin1Char('"')) || cierre <= 0)
        return Double_Percent(rsCommand);
    const QString ruta = rsCommand.mid(1, cierre - 1);
    QString citada = QStringLiteral("\"");
    for (const QChar c : ruta) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            citada += QLatin1Char('\\');
        citada += c;
    }
    citada += QLatin1Char('"');
    return Double_Percent(citada) + Double_Percent(rsCommand.mid(cierre + 1));
}

QString Command_From_Exec(const QString &rsExec)
{
    if (!rsExec.startsWith(QLatin1Char('"')))
        return Single_Percent(rsExec);
    QString ruta;
    qsizetype i = 1;
    for (; i < rsExec.size(); ++i) {
        const QChar c = rsExec.at(i);
        if (c == QLatin1Char('\\') && i + 1 < rsExec.size()) {
            ruta += rsExec.at(++i);
            continue;
        }
        if (c == QLatin1Char('"'))
            break;
        ruta += c;
    }
    if (i >= rsExec.size()) // no closing quote: not a valid Exec; keep it as it stands
        return Single_Percent(rsExec);
    return QLatin1Char('"') + Single_Percent(ruta) + QLatin1Char('"') + Single_Percent(rsExec.mid(i + 1));
}

AutostartRead Autostart_Read(const QString &rsFile, QString &fsCommand)
{
    fsCommand.clear();
    if (rsFile.isEmpty() || !QFileInfo::exists(rsFile))
        return AutostartRead::Missing;
    QFile file(rsFile);
    if (!file.open(QIODevice::ReadOnly))
        return AutostartRead::Error;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return AutostartRead::Error;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(content);
    if (utf8.hasError())
        return AutostartRead::Error;

    bool enGrupo = false;
    bool hayExec = false;
    bool apagada = false;
    QString exec;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            enGrupo = t == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype igual = line.indexOf(QLatin1Char('='));
        if (!enGrupo || igual <= 0 || t.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(igual).trimmed();
        const QString value = line.mid(igual + 1).trimmed();
        if (key == QLatin1String("Exec") && !hayExec) {
            exec = Unescape_String(value);
            hayExec = true;
        } else if (key == QLatin1String("Hidden") && Is_True(value)) {
            apagada = true;
        } else if (key == QLatin1String("X-GNOME-Autostart-enabled") && Is_False(value)) {
            apagada = true;
        }
    }
    if (!hayExec || apagada)
        return AutostartRead::Missing;
    fsCommand = Command_From_Exec(exec);
    return AutostartRead::Value;
}

bool Autostart_Write(const QString &rsFile, const QString &rsCommand)
{
    if (rsFile.isEmpty() || !QDir().mkpath(QFileInfo(rsFile).absolutePath()))
        return false;
    const QString content = QStringLiteral("[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=Kestrin\n"
                                           "Comment=Desktop reminder scheduler\n"
                                           "Icon=org.kestrin.Kestrin\n"
                                           "Exec=")
                            + Escape_String(Exec_From_Command(rsCommand))
                            + QStringLiteral("\n"
                                             "Terminal=false\n"
                                             "X-GNOME-Autostart-enabled=true\n");
    QSaveFile file(rsFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = content.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool Autostart_Delete(const QString &rsFile)
{
    if (rsFile.isEmpty())
        return false;
    QFileInfo info(rsFile);
    if (!info.exists() && !info.isSymLink())
        return true;
    return QFile::remove(rsFile);
}
