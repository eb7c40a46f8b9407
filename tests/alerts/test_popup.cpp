// The tray popup offscreen: sizes measured in the given fonts, the window that never
// takes the focus (until its menu keys are used, then Tab, Space and Enter), the stack,
// the menu in both languages, the snooze written through
// the store (lengths, a retired file, a deleted one, an unreadable one), mute and close
// stopping the reminder's sound, the wizard's test popup, and a reminder as a desktop
// notification (its arguments; the popup when there is no service). Runs on a private
// session bus so the broadcasts can be heard.
#include "ayudas_alerts.h"

#include "alerts/desktopalert.h"
#include "alerts/desktopalerts.h"
#include "alerts/menupopup.h"
#include "alerts/notificacion.h"
#include "alerts/snooze.h"
#include "alerts/tamanopopup.h"
#include "platform/bus.h"
#include "report/messagerecorder.h"
#include "texts/errortexts.h"
#include "texts/language.h"
#include "store/textforms.h"

#include <QAccessible>
#include <QAction>
#include <QEnterEvent>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

class TestPopup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void size_data();
    void size();
    void windowNeverTakesFocus();
    void keysOfAPopupThatTookTheFocus_data();
    void keysOfAPopupThatTookTheFocus();
    void twoPopupsStackAndCloseUp();
    void stackSitsAboveTheTray();
    void menuInBothLanguages_data();
    void menuInBothLanguages();
    void everyMenuItemSnoozesItsLength_data();
    void everyMenuItemSnoozesItsLength();
    void markedAndJunkCaptions_data();
    void markedAndJunkCaptions();
    void snoozeBringsBackARetiredFile();
    void snoozeOfADeletedReminderOnlyBeeps();
    void snoozeOfAnUnreadableFileReports219();
    void snoozeAffectsOnlyItsOwnFile();
    void muteStopsTheSoundAndBroadcasts();
    void everyCloseStopsTheSound();
    void fadesOutAndClosesByItself();
    void messageClickOpensKestrinAndKeepsThePopup();
    void testPopupSnoozesNothing();
    void notificationArguments_data();
    void notificationArguments();
    void noNotificationServiceShowsThePopup();

private:
    QString Nuevo_Recordatorio(const QString &rsNombre);
    TDesktopAlert *Mostrar(const QString &rsArchivo, const QString &rsNombre = QStringLiteral("Dentist"),
                           const QString &rsMensaje = QStringLiteral("Call at ten"));

    QTemporaryDir pDir;
    TReproductores *pReproductores = nullptr;
    TDesktopAlerts *pAlertas = nullptr;
    TConfiguracion pConfiguracion; // the main window's settings, as the popups read them
    QStringList paTrasPosponer;
    int piAbrir = 0;
    int piPruebaCerrada = 0;
    double pdAhora = 46000.5;
    int piArchivos = 0;
};

void TestPopup::initTestCase()
{
    QVERIFY(pDir.isValid());
    Fijar_Carpeta_Log(pDir.path() + QLatin1Char('/'));
    QVERIFY2(Session_Bus_Available(), "the test runs on its own session bus");
}

void TestPopup::init()
{
    Establecer_Lenguaje(0);
    paTrasPosponer.clear();
    piAbrir = 0;
    piPruebaCerrada = 0;
    pReproductores = new TReproductores;
    pAlertas = new TDesktopAlerts(*pReproductores);
    pConfiguracion = TConfiguracion();
    pAlertas->pContexto.pConfiguracion = &pConfiguracion;
    pConfiguracion.psFontMensaje = QStringLiteral("DejaVu Sans");
    pConfiguracion.piDesktopAlertDuracion = 10;
    pAlertas->pContexto.Tras_Posponer = [this](const QString &rsArchivo) { paTrasPosponer << rsArchivo; };
    pAlertas->pContexto.Abrir_Kestrin = [this] { ++piAbrir; };
    pAlertas->pContexto.Desktop_Alert_Prueba_Close = [this] { ++piPruebaCerrada; };
    pAlertas->pContexto.Ahora = [this] { return pdAhora; };
}

void TestPopup::cleanup()
{
    delete pAlertas;
    delete pReproductores;
    pAlertas = nullptr;
    pReproductores = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString TestPopup::Nuevo_Recordatorio(const QString &rsNombre)
{
    const QString archivo = pDir.filePath(QStringLiteral("data%1.od").arg(++piArchivos));
    const bool grabado = Grabar_Archivo_Tarea(archivo, Tarea_De_Prueba(rsNombre));
    if (!grabado)
        qWarning("cannot write %s", qPrintable(archivo));
    return archivo;
}

TDesktopAlert *TestPopup::Mostrar(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje)
{
    if (!pAlertas->Mostrar_Desktop_Alert_Thread(rsArchivo, rsNombre, rsMensaje))
        return nullptr;
    return pAlertas->Popups().isEmpty() ? nullptr : pAlertas->Popups().constLast();
}

// A text whose width in the font is at least riAncho pixels.
static QString Texto_De_Ancho(const QFont &rFuente, int riAncho)
{
    QString texto;
    while (QFontMetrics(rFuente).horizontalAdvance(texto) < riAncho)
        texto += QStringLiteral("Wm ");
    return texto;
}

void TestPopup::size_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<int>("ancho");
    QTest::addColumn<int>("alto");
    const QFont mensaje = Fuente_Medida_Mensaje(QStringLiteral("DejaVu Sans"));
    const QFont titulo = Fuente_Medida_Titulo();

    QTest::newRow("one short line") << "Tea" << "Now" << 350 << 80;
    QTest::newRow("empty message") << "Tea" << "" << 350 << 80;
    QStringList veinte;
    for (int i = 1; i <= 20; ++i)
        veinte << QStringLiteral("line %1").arg(i);
    QTest::newRow("twenty lines") << "Tea" << veinte.join(QStringLiteral("\r\n")) << 350 << 250;
    // Three lines: 3 x 16 + 50 (each line at least 16 high).
    const int alto3 = 3 * std::max(16, QFontMetrics(mensaje).boundingRect(QStringLiteral("Ag")).height()) + 50;
    QTest::newRow("three lines, LF only") << "Tea" << "a\nb\nc" << 350 << std::max(80, alto3);
    const QString linea545 = Texto_De_Ancho(mensaje, 546);
    QTest::newRow("a line over 545 pixels") << "Tea" << (QStringLiteral("short\r\n") + linea545) << 700 << 82;
    const QString linea400 = Texto_De_Ancho(mensaje, 300);
    QTest::newRow("a 300-pixel line") << "Tea" << linea400
                                      << QFontMetrics(mensaje).horizontalAdvance(linea400) + 155 << 80;
    const QString nombreLargo = Texto_De_Ancho(titulo, 260);
    QTest::newRow("a long name") << nombreLargo << "Now" << QFontMetrics(titulo).horizontalAdvance(nombreLargo) + 200
                                 << 80;
    QTest::newRow("a very long name") << Texto_De_Ancho(titulo, 900) << "Now" << 700 << 80;
}

void TestPopup::size()
{
    QFETCH(QString, nombre);
    QFETCH(QString, mensaje);
    QFETCH(int, ancho);
    QFETCH(int, alto);
    const QSize tamano = Tamano_Desktop_Alert(nombre, mensaje, QStringLiteral("DejaVu Sans"));
    QCOMPARE(tamano.width(), ancho);
    if (QByteArray(QTest::currentDataTag()) == "a line over 545 pixels")
        QCOMPARE(tamano.height(), 2 * 16 + 50);
    else
        QCOMPARE(tamano.height(), alto);
    // The window is exactly that size.
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("x")), nombre, mensaje);
    QVERIFY(popup);
    QCOMPARE(popup->size(), tamano);
    // The message shows whole lines only; the last ends in "…" when some are left out.
    const QLabel *etiqueta = popup->findChild<QLabel *>(QStringLiteral("LabelMensaje"));
    QVERIFY(etiqueta);
    const QStringList mostradas = etiqueta->text().split(QLatin1Char('\n'));
    QVERIFY(mostradas.size() * QFontMetrics(etiqueta->font()).lineSpacing() <= etiqueta->height());
    const bool cortado = QByteArray(QTest::currentDataTag()) == "twenty lines";
    QCOMPARE(etiqueta->text().endsWith(QStringLiteral("…")), cortado);
    if (!cortado)
        QCOMPARE(etiqueta->text().simplified(), QString(mensaje).simplified());
    // A screen reader gets the message whole, however much of it the popup shows.
    QCOMPARE(QAccessible::queryAccessibleInterface(popup)->text(QAccessible::Description), mensaje);
    QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<QLabel *>(etiqueta))->text(QAccessible::Name).simplified(),
             QString(mensaje).simplified());
}

void TestPopup::windowNeverTakesFocus()
{
    QWidget enfocada;
    enfocada.setObjectName(QStringLiteral("editor"));
    enfocada.show();
    enfocada.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&enfocada));
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("x")));
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
    const Qt::WindowFlags flags = popup->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QCOMPARE(popup->windowType(), Qt::ToolTip);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), &enfocada);
    for (QWidget *hijo : popup->findChildren<QWidget *>())
        QCOMPARE(hijo->focusPolicy(), Qt::NoFocus);
}

void TestPopup::keysOfAPopupThatTookTheFocus_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QStringList>("teclas");  // after the Menu key the grab reported
    QTest::addColumn<int>("menus");           // times the menu opened, that first one included
    QTest::addColumn<QString>("foco");        // the button with the focus at the end; empty: closed
    const QString menu = QStringLiteral("BotonMenu"), cerrar = QStringLiteral("BotonCerrar");
    QTest::newRow("Menu key") << 0 << QStringList() << 1 << menu;
    QTest::newRow("Menu key, Spanish") << 1 << QStringList() << 1 << menu;
    QTest::newRow("Menu again") << 0 << QStringList{"Menu"} << 2 << menu;
    QTest::newRow("Shift+F10") << 0 << QStringList{"Shift+F10"} << 2 << menu;
    QTest::newRow("other chords open nothing") << 0 << QStringList{"F10", "Ctrl+Menu", "Shift+Menu", "Ctrl+Shift+F10"} << 1 << menu;
    QTest::newRow("Enter on the menu button") << 0 << QStringList{"Return"} << 2 << menu;
    QTest::newRow("Tab to the close button") << 0 << QStringList{"Tab"} << 1 << cerrar;
    QTest::newRow("Tab goes round") << 0 << QStringList{"Tab", "Tab"} << 1 << menu;
    QTest::newRow("Shift+Tab") << 0 << QStringList{"Shift+Tab"} << 1 << cerrar;
    QTest::newRow("Return on close") << 0 << QStringList{"Tab", "Return"} << 1 << QString();
    QTest::newRow("keypad Enter on close") << 1 << QStringList{"Tab", "Enter"} << 1 << QString();
    QTest::newRow("Space on close") << 0 << QStringList{"Shift+Tab", "Space"} << 1 << QString();
}

// The popup takes the focus only when its menu keys are used; its menu then opens on the
// first entry, Escape leaves the focus in the popup, and the close button closes it the
// way a click does.
void TestPopup::keysOfAPopupThatTookTheFocus()
{
    QFETCH(int, lenguaje);
    QFETCH(QStringList, teclas);
    QFETCH(int, menus);
    QFETCH(QString, foco);
    Establecer_Lenguaje(lenguaje);
    const QString wav = pDir.filePath(QStringLiteral("loop3.wav"));
    QVERIFY(Escribir_Wav(wav, 300));
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")));
    QVERIFY(popup && popup->Menu());
    QVERIFY(pReproductores->Play_Audio_Thread(wav, true, false));
    QSignalSpy cerrado(pAlertas, &TDesktopAlerts::Desktop_Alert_Close);
    // Each opening: the entry it starts on, then Escape, as the user would.
    QStringList entradas;
    connect(popup->Menu(), &QMenu::aboutToShow, popup, [&entradas, menu = popup->Menu()] {
        QTimer::singleShot(0, menu, [&entradas, menu] {
            entradas << (menu->activeAction() ? menu->activeAction()->text() : QString());
            QTest::keyClick(menu, Qt::Key_Escape);
        });
    });
    popup->Menu_Teclado(); // what Menu or Shift+F10 do with the pointer on it
    QVERIFY(QTest::qWaitForWindowActive(popup));
    QTRY_COMPARE(entradas.size(), 1); // the menu opens once the popup is active
    for (const QString &tecla : std::as_const(teclas)) {
        QTRY_VERIFY(popup->isActiveWindow()); // again after each menu closed by Escape
        QWidget *destino = QApplication::focusWidget();
        QVERIFY2(destino && destino->window() == popup, qPrintable(tecla));
        QTest::keySequence(destino, QKeySequence(tecla));
    }
    const QString primera = Texto_Menu_Popup(TTextoMenuPopup::SnoozeMinutos, lenguaje);
    QCOMPARE(entradas, QStringList(QVector<QString>(menus, primera)));
    if (foco.isEmpty()) {
        QTRY_COMPARE(cerrado.count(), 1);
        QVERIFY(pAlertas->Popups().isEmpty());
        QVERIFY(!pReproductores->MediaPlayerThread.Sonando());
    } else {
        QVERIFY(popup->isVisible());
        QTRY_VERIFY(popup->isActiveWindow());
        QCOMPARE(QApplication::focusWidget()->objectName(), foco);
        QCOMPARE(cerrado.count(), 0);
    }
}

void TestPopup::twoPopupsStackAndCloseUp()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    TDesktopAlert *uno = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")), QStringLiteral("First"), QStringLiteral("one"));
    TDesktopAlert *dos = Mostrar(Nuevo_Recordatorio(QStringLiteral("b")), QStringLiteral("Second"),
                                 QStringLiteral("two\r\nthree\r\nfour"));
    TDesktopAlert *tres = Mostrar(Nuevo_Recordatorio(QStringLiteral("c")), QStringLiteral("Third"),
                                  Texto_De_Ancho(Fuente_Medida_Mensaje(QStringLiteral("DejaVu Sans")), 400));
    QVERIFY(uno && dos && tres);
    QCOMPARE(uno->geometry().bottom(), area.bottom());
    QCOMPARE(dos->geometry().bottom(), uno->geometry().top() - 1);
    QCOMPARE(tres->geometry().bottom(), dos->geometry().top() - 1);
    for (TDesktopAlert *p : {uno, dos, tres})
        QCOMPARE(p->geometry().right(), area.right());
    QVERIFY(tres->width() > uno->width());

    uno->Cerrar(); // the lowest goes: the others slide down
    QCOMPARE(pAlertas->Popups().size(), 2);
    QCOMPARE(dos->geometry().bottom(), area.bottom());
    QCOMPARE(tres->geometry().bottom(), dos->geometry().top() - 1);
    dos->Cerrar();
    QCOMPARE(tres->geometry().bottom(), area.bottom());
    QCOMPARE(tres->geometry().right(), area.right());
}

void TestPopup::stackSitsAboveTheTray()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect bandeja(area.right() - 40, area.bottom() - 23, 24, 24);
    pAlertas->pContexto.Geometria_Bandeja = [bandeja] { return bandeja; };
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")));
    QVERIFY(popup);
    QCOMPARE(popup->geometry().bottom(), bandeja.top() - 1);
    QCOMPARE(popup->geometry().right(), area.right());
    // A tray at the top of the screen (a top panel) does not push popups off the bottom.
    QCOMPARE(Area_Popups(area, QRect(area.right() - 40, area.top(), 24, 24)), area);
    QCOMPARE(Area_Popups(area, QRect()), area);
    // Stacked beyond the top, popups stay on screen.
    const QList<QPoint> lugares = Posiciones_Apiladas(QRect(0, 0, 800, 300), {{350, 250}, {350, 250}});
    QCOMPARE(lugares.at(0), QPoint(450, 50));
    QCOMPARE(lugares.at(1), QPoint(450, 0));
}

void TestPopup::menuInBothLanguages_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QStringList>("principal");
    QTest::addColumn<QString>("primero");
    QTest::addColumn<QString>("ultimo");
    QTest::addColumn<QStringList>("botones"); // what a screen reader says for close and menu
    QTest::newRow("English") << 0
                             << QStringList{"Snooze (Minutes)", "Snooze (Hours)", "Snooze (Days)", "", "Open Kestrin", "",
                                            "Mute"}
                             << "Snooze 1 Minute" << "Snooze 14 Days" << QStringList{"Close", "Menu"};
    QTest::newRow("Spanish") << 1
                             << QStringList{"Posponer (Minutos)", "Posponer (Horas)", QString::fromUtf8("Posponer (Días)"),
                                            "", "Abrir Kestrin", "", "Silencio"}
                             << "Posponer 1 Minuto" << QString::fromUtf8("Posponer 14 Días")
                             << QStringList{"Cerrar", QString::fromUtf8("Menú")};
}

void TestPopup::menuInBothLanguages()
{
    QFETCH(int, lenguaje);
    QFETCH(QStringList, principal);
    QFETCH(QString, primero);
    QFETCH(QString, ultimo);
    QFETCH(QStringList, botones);
    Establecer_Lenguaje(lenguaje);
    const QString archivo = Nuevo_Recordatorio(QStringLiteral("a"));
    TDesktopAlert *popup = Mostrar(archivo);
    QVERIFY(popup && popup->Menu());
    QStringList nombres;
    for (const char *boton : {"BotonCerrar", "BotonMenu"})
        nombres << popup->findChild<QToolButton *>(QLatin1String(boton))->accessibleName();
    QCOMPARE(nombres, botones);
    QStringList textos;
    for (QAction *a : popup->Menu()->actions())
        textos << (a->isSeparator() ? QString() : a->text());
    QCOMPARE(textos, principal);
    const int cuentas[3] = {16, 10, 14};
    QStringList snooze;
    for (int i = 0; i < 3; ++i) {
        QMenu *sub = popup->Menu()->actions().at(i)->menu();
        QVERIFY(sub);
        QCOMPARE(sub->actions().size(), cuentas[i]);
        for (QAction *a : sub->actions()) {
            QCOMPARE(Tipo_Item_Popup(a), TTipoItemPopup::Snooze);
            QCOMPARE(Hint_Item_Popup(a), archivo);
            snooze << a->text();
        }
    }
    QCOMPARE(snooze.constFirst(), primero);
    QCOMPARE(snooze.constLast(), ultimo);
    QVERIFY(popup->findChild<QAction *>(QStringLiteral("mSnooze60Minutes")));
    QVERIFY(popup->findChild<QAction *>(QStringLiteral("mSnooze1Hour")));
    QVERIFY(popup->findChild<QAction *>(QStringLiteral("mSnooze14Days")));
}

void TestPopup::everyMenuItemSnoozesItsLength_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::newRow("English") << 0;
    QTest::newRow("Spanish") << 1;
}

void TestPopup::everyMenuItemSnoozesItsLength()
{
    QFETCH(int, lenguaje);
    Establecer_Lenguaje(lenguaje);
    const QString archivo = Nuevo_Recordatorio(QStringLiteral("every"));
    TDesktopAlert *popup = Mostrar(archivo);
    QVERIFY(popup);
    const QVector<TOpcionPosponer> opciones = Opciones_Posponer(lenguaje);
    int vistos = 0;
    for (int i = 0; i < 3; ++i) {
        for (QAction *item : popup->Menu()->actions().at(i)->menu()->actions()) {
            const TOpcionPosponer &esperada = opciones.at(vistos++);
            QCOMPARE(item->text(), esperada.psCaption);
            item->trigger(); // as the menu does when it is chosen
            QCOMPARE(Valor_De(archivo, QStringLiteral("SnoozeTime")), QString::number(esperada.piMinutos));
            QCOMPARE(Str_To_Float_Sin_Punto(Valor_De(archivo, QStringLiteral("SnoozeRun"))),
                     pdAhora + esperada.piMinutos * 60.0 / 86400.0);
        }
    }
    QCOMPARE(vistos, 40);
    QCOMPARE(paTrasPosponer.size(), 40);
    QCOMPARE(paTrasPosponer.constFirst(), archivo);
    // Only the two snooze values changed; every other line is kept, in its order.
    QStringList esperadas = Lineas_Archivo_Tarea(Tarea_De_Prueba(QStringLiteral("every")));
    for (QString &linea : esperadas)
        for (const QString llave : {QStringLiteral("SnoozeTime"), QStringLiteral("SnoozeRun")})
            if (linea.startsWith(llave + QLatin1Char('=')))
                linea = llave + QLatin1Char('=') + Valor_De(archivo, llave);
    QCOMPARE(Lineas_De(archivo), esperadas);
}

void TestPopup::markedAndJunkCaptions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("minutos");
    QTest::newRow("5 minutes") << "Snooze 5 Minutes" << 5;
    QTest::newRow("60 minutes") << "Snooze 60 Minutes" << 60;
    QTest::newRow("14 days") << QString::fromUtf8("Posponer 14 Días") << 20160;
    QTest::newRow("accelerators") << "&Snooze 1&0 &Hours" << 600;
    QTest::newRow("accelerator in Spanish unit") << QString::fromUtf8("Posponer 2 D&ías") << 2880;
    QTest::newRow("junk count") << "Snooze ten Hours" << 5;
    QTest::newRow("no blank at all") << "Snooze" << 5;
    QTest::newRow("unit in lower case stays minutes") << "Snooze 3 hours" << 3;
    QTest::newRow("unknown unit") << "Snooze 7 Weeks" << 7;
}

void TestPopup::markedAndJunkCaptions()
{
    QFETCH(QString, caption);
    QFETCH(int, minutos);
    const QString archivo = Nuevo_Recordatorio(QStringLiteral("junk"));
    TDesktopAlert *popup = Mostrar(archivo);
    QVERIFY(popup);
    QAction *item = popup->findChild<QAction *>(QStringLiteral("mSnooze5Minutes"));
    QVERIFY(item);
    item->setText(caption);
    item->trigger();
    QCOMPARE(Valor_De(archivo, QStringLiteral("SnoozeTime")), QString::number(minutos));
}

void TestPopup::snoozeBringsBackARetiredFile()
{
    const QString archivo = Nuevo_Recordatorio(QStringLiteral("once"));
    TDesktopAlert *popup = Mostrar(archivo);
    QVERIFY(popup);
    QVERIFY(Retirar_Archivo_Tarea(archivo)); // fired with auto-delete after the popup came up
    QVERIFY(!QFileInfo::exists(archivo));
    popup->findChild<QAction *>(QStringLiteral("mSnooze1Hour"))->trigger();
    QVERIFY(QFileInfo::exists(archivo));
    QVERIFY(!QFileInfo::exists(archivo + QLatin1Char('b')));
    QCOMPARE(Valor_De(archivo, QStringLiteral("SnoozeTime")), QStringLiteral("60"));
    QCOMPARE(paTrasPosponer, QStringList{archivo});
}

void TestPopup::snoozeOfADeletedReminderOnlyBeeps()
{
    TGrabadorMensajes grabador;
    TBusListener oyente;
    QVERIFY(oyente.Listen(QLatin1String(MSG_KESTRIN_CLOSE)));
    QSignalSpy recibidos(&oyente, &TBusListener::Message_Received);
    const QString archivo = Nuevo_Recordatorio(QStringLiteral("gone"));
    TDesktopAlert *popup = Mostrar(archivo);
    QVERIFY(popup);
    QVERIFY(QFile::remove(archivo));
    const QStringList antes = QDir(pDir.path()).entryList(QDir::Files);
    popup->findChild<QAction *>(QStringLiteral("mSnooze5Minutes"))->trigger();
    QVERIFY(!QFileInfo::exists(archivo));
    QCOMPARE(QDir(pDir.path()).entryList(QDir::Files), antes);
    QCOMPARE(grabador.paEventos, QStringList{QStringLiteral("beep")});
    QVERIFY(paTrasPosponer.isEmpty());
    QTRY_COMPARE(recibidos.count(), 1); // KestrinClose all the same
}

void TestPopup::snoozeOfAnUnreadableFileReports219()
{
    TGrabadorMensajes grabador;
    TBusListener oyente;
    QVERIFY(oyente.Listen(QLatin1String(MSG_KESTRIN_CLOSE)));
    QSignalSpy recibidos(&oyente, &TBusListener::Message_Received);
    // A folder where the file should be: it exists but cannot be read as a reminder.
    const QString archivo = pDir.filePath(QStringLiteral("folder.od"));
    QVERIFY(QDir().mkpath(archivo));
    TDesktopAlert *popup = Mostrar(archivo);
    QVERIFY(popup);
    popup->findChild<QAction *>(QStringLiteral("mSnooze1Day"))->trigger();
    QCOMPARE(grabador.paCajas.size(), 1);
    QVERIFY2(grabador.paCajas.at(0).sTexto.startsWith(QStringLiteral("Error 219. ")),
             qPrintable(grabador.paCajas.at(0).sTexto));
    QCOMPARE(grabador.paCajas.at(0).iIcono, MB_ICONERROR);
    QVERIFY(paTrasPosponer.isEmpty());
    QVERIFY(QFileInfo(archivo).isDir());
    QTRY_COMPARE(recibidos.count(), 1);
}

void TestPopup::snoozeAffectsOnlyItsOwnFile()
{
    const QString a = Nuevo_Recordatorio(QStringLiteral("a"));
    const QString b = Nuevo_Recordatorio(QStringLiteral("b"));
    TDesktopAlert *pa = Mostrar(a);
    TDesktopAlert *pb = Mostrar(b);
    QVERIFY(pa && pb);
    const QByteArray antesB = Bytes_De(b);
    pa->findChild<QAction *>(QStringLiteral("mSnooze10Minutes"))->trigger();
    QCOMPARE(Valor_De(a, QStringLiteral("SnoozeTime")), QStringLiteral("10"));
    QCOMPARE(Bytes_De(b), antesB);
}

void TestPopup::muteStopsTheSoundAndBroadcasts()
{
    const QString wav = pDir.filePath(QStringLiteral("loop.wav"));
    QVERIFY(Escribir_Wav(wav, 300));
    TBusListener oyente;
    QVERIFY(oyente.Listen(QLatin1String(MSG_KESTRIN_MUTE)));
    QSignalSpy recibidos(&oyente, &TBusListener::Message_Received);
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")));
    QVERIFY(popup);
    QVERIFY(pReproductores->Play_Audio_Thread(wav, true, false));
    QVERIFY(pReproductores->Play_Audio_Interno(nullptr, wav, true, false));
    popup->findChild<QAction *>(QStringLiteral("mSilencio"))->trigger();
    QVERIFY(!pReproductores->MediaPlayerThread.Sonando());
    QVERIFY(!pReproductores->pbLoopSoundThread());
    QVERIFY(pReproductores->MediaPlayerInterno.Sonando()); // a preview is not the reminder's sound
    QVERIFY(popup->isVisible()); // mute leaves the popup
    QTRY_COMPARE(recibidos.count(), 1);
}

void TestPopup::everyCloseStopsTheSound()
{
    const QString wav = pDir.filePath(QStringLiteral("loop2.wav"));
    QVERIFY(Escribir_Wav(wav, 300));
    // Close button, window close, and the end of the fade-out.
    for (int forma = 0; forma < 3; ++forma) {
        TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")));
        QVERIFY(popup);
        QSignalSpy cerrado(pAlertas, &TDesktopAlerts::Desktop_Alert_Close);
        QVERIFY(pReproductores->Play_Audio_Thread(wav, true, false));
        if (forma == 0) {
            QToolButton *boton = popup->findChild<QToolButton *>(QStringLiteral("BotonCerrar"));
            QVERIFY(boton);
            QTest::mouseClick(boton, Qt::LeftButton);
        } else if (forma == 1) {
            popup->close();
        } else {
            qint64 reloj = 0;
            popup->pfReloj = [&reloj] { return reloj; };
            popup->pfPunteroEncima = [] { return false; };
            popup->Tiempo() = TTiempoPopup(1000, false);
            popup->Tiempo().Iniciar(0);
            for (reloj = 0; reloj <= 2000; reloj += 25)
                popup->Paso_Tiempo();
        }
        QCOMPARE(cerrado.count(), 1);
        QVERIFY2(!pReproductores->MediaPlayerThread.Sonando(), qPrintable(QString::number(forma)));
        QVERIFY(pAlertas->Popups().isEmpty());
    }
}

void TestPopup::fadesOutAndClosesByItself()
{
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")));
    QVERIFY(popup);
    qint64 reloj = 0;
    bool encima = false;
    popup->pfReloj = [&reloj] { return reloj; };
    popup->pfPunteroEncima = [&encima] { return encima; };
    popup->Tiempo() = TTiempoPopup(10000, false);
    popup->Tiempo().Iniciar(0);
    QPointer<TDesktopAlert> vigilado(popup);
    for (reloj = 0; reloj <= 250; reloj += 25)
        popup->Paso_Tiempo();
    QCOMPARE(popup->windowOpacity(), 1.0);
    reloj = 5000;
    encima = true; // pointed at: held well beyond its ten seconds
    popup->Paso_Tiempo();
    reloj = 60000;
    popup->Paso_Tiempo();
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->windowOpacity(), 1.0);
    encima = false;
    reloj = 60200;
    popup->Paso_Tiempo();
    reloj = 60450;
    popup->Paso_Tiempo();
    QVERIFY(popup->windowOpacity() > 0.45 && popup->windowOpacity() < 0.55);
    reloj = 60700;
    popup->Paso_Tiempo();
    QVERIFY(!popup->isVisible());
    QVERIFY(pAlertas->Popups().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(vigilado.isNull()); // released after it closed
}

void TestPopup::messageClickOpensKestrinAndKeepsThePopup()
{
    TDesktopAlert *popup = Mostrar(Nuevo_Recordatorio(QStringLiteral("a")));
    QVERIFY(popup);
    QLabel *mensaje = popup->findChild<QLabel *>(QStringLiteral("LabelMensaje"));
    QVERIFY(mensaje);
    QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), mensaje->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(mensaje, &entra);
    QVERIFY(mensaje->font().underline()); // underlined under the pointer
    QTest::mouseClick(mensaje, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(piAbrir, 1);
    QEvent sale(QEvent::Leave);
    QCoreApplication::sendEvent(mensaje, &sale);
    QVERIFY(!mensaje->font().underline());
    // Pressed here and released far away: the popup was dragged, not clicked.
    QTest::mousePress(mensaje, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(mensaje, Qt::LeftButton, {}, QPoint(60, 20));
    QCOMPARE(piAbrir, 1);
    QVERIFY(popup->isVisible());
    popup->findChild<QAction *>(QStringLiteral("mAbrir"))->trigger();
    QCOMPARE(piAbrir, 2);
    // The message is plain text: markup in a reminder is shown, not run.
    TDesktopAlert *otro = Mostrar(Nuevo_Recordatorio(QStringLiteral("b")), QStringLiteral("<b>x</b>"),
                                  QStringLiteral("<img src=x>"));
    QCOMPARE(otro->findChild<QLabel *>(QStringLiteral("LabelMensaje"))->textFormat(), Qt::PlainText);
    QCOMPARE(otro->findChild<QLabel *>(QStringLiteral("LabelTitulo"))->textFormat(), Qt::PlainText);
}

void TestPopup::testPopupSnoozesNothing()
{
    TBusListener oyente;
    QVERIFY(oyente.Listen(QLatin1String(MSG_KESTRIN_CLOSE)));
    QVERIFY(oyente.Listen(QLatin1String(MSG_KESTRIN_MUTE)));
    QSignalSpy recibidos(&oyente, &TBusListener::Message_Received);
    const QString wav = pDir.filePath(QStringLiteral("loop3.wav"));
    QVERIFY(Escribir_Wav(wav, 300));
    pConfiguracion.pbDesktopAlertPermanent = true;
    // Changed in the options since the popups were set up: the test popup takes it.
    pConfiguracion.piDesktopAlertDuracion = 3;
    pConfiguracion.psFontMensaje = QStringLiteral("DejaVu Serif");
    const QString archivo = pDir.filePath(QStringLiteral("46000.tmp"));
    QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea_De_Prueba(QStringLiteral("test"))));
    const QByteArray antes = Bytes_De(archivo);
    int propioCerrado = 0;
    QCOMPARE(pAlertas->Mostrar_Desktop_Alert_Prueba(archivo, QStringLiteral("test"), QStringLiteral("message"),
                                                    [&propioCerrado] { ++propioCerrado; }),
             QString());
    TDesktopAlert *popup = pAlertas->Popups().constLast();
    QCOMPARE(popup->Menu()->objectName(), QStringLiteral("PopupMenuAlertaTest"));
    QCOMPARE(popup->findChild<QLabel *>(QStringLiteral("LabelTitulo"))->font().family(), QStringLiteral("DejaVu Serif"));
    QVERIFY(pReproductores->Play_Audio_Thread(wav, true, false));
    QVERIFY(pReproductores->Play_Audio_Interno(nullptr, wav, true, false));
    popup->findChild<QAction *>(QStringLiteral("mSnooze2Hours"))->trigger();
    QCOMPARE(Bytes_De(archivo), antes);
    QVERIFY(paTrasPosponer.isEmpty());
    QTRY_COMPARE(recibidos.count(), 1);
    QCOMPARE(recibidos.at(0).at(0).toString(), QLatin1String(MSG_KESTRIN_CLOSE));
    popup->findChild<QAction *>(QStringLiteral("mSilencio"))->trigger();
    QVERIFY(!pReproductores->MediaPlayerInterno.Sonando()); // the preview stops
    QVERIFY(pReproductores->MediaPlayerThread.Sonando());   // a reminder's sound does not
    QTRY_COMPARE(recibidos.count(), 2);
    QCOMPARE(recibidos.at(1).at(0).toString(), QLatin1String(MSG_KESTRIN_MUTE));
    // Not permanent, though popups are: it fades after its seconds, those set now.
    qint64 reloj = 0;
    popup->pfReloj = [&reloj] { return reloj; };
    popup->pfPunteroEncima = [] { return false; };
    popup->Tiempo().Iniciar(0);
    for (reloj = 0; reloj <= 3000; reloj += 25)
        popup->Paso_Tiempo();
    QVERIFY(popup->isVisible());
    for (; reloj <= 4000; reloj += 25)
        popup->Paso_Tiempo();
    QVERIFY(!popup->isVisible());
    QCOMPARE(propioCerrado, 1); // the wizard's own close handler, not the context's
    QCOMPARE(piPruebaCerrada, 0);
    QVERIFY(pReproductores->MediaPlayerThread.Sonando()); // the wizard stops its own preview
    pReproductores->Stop_Audio_Thread();
}

QTEST_MAIN(TestPopup)
void TestPopup::notificationArguments_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<bool>("permanente");
    QTest::addColumn<int>("snooze");
    QTest::addColumn<bool>("sonido");
    QTest::addColumn<bool>("marcado");
    QTest::addColumn<QString>("cuerpo");
    QTest::addColumn<QStringList>("acciones");
    QTest::addColumn<int>("urgencia");
    QTest::addColumn<int>("expira");
    const QString llano = QStringLiteral("Pay <b>500</b> & \"keep\" it\nBank"); // the message, lines joined by LF
    QTest::newRow("English, seconds, sound, markup")
        << 0 << false << 10 << true << true << QStringLiteral("Pay &lt;b&gt;500&lt;/b&gt; &amp; &quot;keep&quot; it\nBank")
        << QStringList{"snooze", "Snooze 10 Minutes", "default", "Open Kestrin", "mute", "Mute"} << 1 << 7000;
    QTest::newRow("English, no markup: the text as it is")
        << 0 << false << 60 << false << false << llano
        << QStringList{"snooze", "Snooze 60 Minutes", "default", "Open Kestrin"} << 1 << 7000;
    QTest::newRow("Spanish, permanent: critical, never expires")
        << 1 << true << 5 << true << false << llano
        << QStringList{"snooze", "Posponer 5 Minutos", "default", "Abrir Kestrin", "mute", "Silencio"} << 2 << 0;
    // A default the menu does not offer (a hand-edited setting): its 10-minute entry.
    QTest::newRow("snooze 25 is not an entry") << 0 << false << 25 << false << false
        << llano
        << QStringList{"snooze", "Snooze 10 Minutes", "default", "Open Kestrin"} << 1 << 7000;
    QTest::newRow("snooze 0") << 1 << false << 0 << false << false << llano
        << QStringList{"snooze", "Posponer 10 Minutos", "default", "Abrir Kestrin"} << 1 << 7000;
}

void TestPopup::notificationArguments()
{
    QFETCH(int, lenguaje);
    QFETCH(bool, permanente);
    QFETCH(int, snooze);
    QFETCH(bool, sonido);
    QFETCH(bool, marcado);
    QFETCH(QString, cuerpo);
    QFETCH(QStringList, acciones);
    QFETCH(int, urgencia);
    QFETCH(int, expira);
    TDatosNotificacion d;
    d.psNombre = QStringLiteral("Rent <due>");
    d.psMensaje = QStringLiteral("Pay <b>500</b> & \"keep\" it\r\nBank");
    d.pbPermanente = permanente;
    d.piSegundos = 7;
    d.piSnoozeDefault = snooze;
    d.pbConSonido = sonido;
    d.piLenguaje = lenguaje;
    d.pbMarcado = marcado;
    d.pImagen = QImage(48, 32, QImage::Format_ARGB32);
    const TNotificacion n = Armar_Notificacion(d);
    QCOMPARE(n.psAplicacion, QStringLiteral("Kestrin"));
    QCOMPARE(n.psResumen, QStringLiteral("Rent <due>")); // the summary is plain text everywhere
    QCOMPARE(n.psCuerpo, cuerpo);
    QCOMPARE(n.paAcciones, acciones);
    QCOMPARE(n.pPistas.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("org.kestrin.Kestrin"));
    QCOMPARE(int(n.pPistas.value(QStringLiteral("urgency")).value<uchar>()), urgencia);
    QCOMPARE(n.pPistas.contains(QStringLiteral("suppress-sound")), sonido);
    QCOMPARE(n.piExpiraMs, expira);
    QCOMPARE(n.pImagen.size(), QSize(48, 32)); // sent as "image-data" (the end-to-end run reads it)
    // The snooze action is one of the popup menu's own entries, so it snoozes the same.
    std::unique_ptr<QMenu> menu(Crear_Menu_Popup(QStringLiteral("/x.od"), lenguaje));
    QStringList entradas;
    for (QAction *a : menu->findChildren<QAction *>())
        if (Tipo_Item_Popup(a) == TTipoItemPopup::Snooze)
            entradas << a->text();
    QVERIFY2(entradas.contains(acciones.at(1)), qPrintable(acciones.at(1)));
}

void TestPopup::noNotificationServiceShowsThePopup()
{
    // This bus has no notification service (one that could be started fails without a
    // display): the popup shows, and the log says why once for both reminders.
    pConfiguracion.pbDesktopNotifications = true;
    const int antes = Lineas_Log().size();
    QVERIFY(pAlertas->Mostrar_Desktop_Alert_Thread(Nuevo_Recordatorio(QStringLiteral("a")), QStringLiteral("One"),
                                                   QStringLiteral("first"), true));
    QVERIFY(pAlertas->Mostrar_Desktop_Alert_Thread(Nuevo_Recordatorio(QStringLiteral("b")), QStringLiteral("Two"),
                                                   QStringLiteral("second")));
    QTRY_COMPARE_WITH_TIMEOUT(pAlertas->Popups().size(), 2, 15000);
    QCOMPARE(pAlertas->Notificaciones(), 0);
    const QStringList nuevas = Lineas_Log().mid(antes);
    QCOMPARE(nuevas.size(), 1);
    QVERIFY2(nuevas.first().contains(QStringLiteral(" - Error 211 - Desktop notifications cannot be shown (")),
             qPrintable(nuevas.first()));
}

#include "test_popup.moc"
