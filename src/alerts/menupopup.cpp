#include "menupopup.h"

#include "alerts/snooze.h"

#include <QAction>
#include <QMenu>

QString Texto_Menu_Popup(TTextoMenuPopup rTexto, int riLenguaje)
{
    const bool es = riLenguaje == 1;
    switch (rTexto) {
    case TTextoMenuPopup::SnoozeMinutos: return es ? QStringLiteral("Posponer (Minutos)") : QStringLiteral("Snooze (Minutes)");
    case TTextoMenuPopup::SnoozeHoras: return es ? QStringLiteral("Posponer (Horas)") : QStringLiteral("Snooze (Hours)");
    case TTextoMenuPopup::SnoozeDias: return es ? QStringLiteral("Posponer (Días)") : QStringLiteral("Snooze (Days)");
    case TTextoMenuPopup::Abrir: return es ? QStringLiteral("Abrir Kestrin") : QStringLiteral("Open Kestrin");
    case TTextoMenuPopup::Silencio: return es ? QStringLiteral("Silencio") : QStringLiteral("Mute");
    }
    return QString();
}

QAction *Add_Popup_Menu_Item(QMenu *rMenu, const QString &rsCaption, TTipoItemPopup rTipo, const QString &rsHint)
{
    QAction *item = rsCaption == QLatin1String("-") ? rMenu->addSeparator() : rMenu->addAction(rsCaption);
    item->setData(int(rTipo));
    item->setStatusTip(rsHint);
    return item;
}

QMenu *Add_Popup_Submenu_Item(QMenu *rMenu, const QString &rsCaption)
{
    QMenu *submenu = rMenu->addMenu(rsCaption);
    submenu->menuAction()->setData(int(TTipoItemPopup::Ninguno));
    return submenu;
}

TTipoItemPopup Tipo_Item_Popup(const QAction *rItem)
{
    return rItem ? TTipoItemPopup(rItem->data().toInt()) : TTipoItemPopup::Ninguno;
}

QString Hint_Item_Popup(const QAction *rItem)
{
    return rItem ? rItem->statusTip() : QString();
}

QMenu *Crear_Menu_Popup(const QString &rsArchivo, int riLenguaje)
{
    auto *menu = new QMenu;
    menu->setObjectName(QStringLiteral("PopupMenuAlerta"));
    QMenu *submenus[3] = {
        Add_Popup_Submenu_Item(menu, Texto_Menu_Popup(TTextoMenuPopup::SnoozeMinutos, riLenguaje)),
        Add_Popup_Submenu_Item(menu, Texto_Menu_Popup(TTextoMenuPopup::SnoozeHoras, riLenguaje)),
        Add_Popup_Submenu_Item(menu, Texto_Menu_Popup(TTextoMenuPopup::SnoozeDias, riLenguaje)),
    };
    submenus[0]->setObjectName(QStringLiteral("mMinutos"));
    submenus[1]->setObjectName(QStringLiteral("mHoras"));
    submenus[2]->setObjectName(QStringLiteral("mDias"));
    for (const TOpcionPosponer &opcion : Opciones_Posponer(riLenguaje)) {
        QMenu *destino = submenus[int(opcion.pUnidad)];
        QAction *item = Add_Popup_Menu_Item(destino, opcion.psCaption, TTipoItemPopup::Snooze, rsArchivo);
        // The English caption without blanks: mSnooze1Minute, mSnooze15Minutes, mSnooze14Days.
        QString nombre = Caption_Posponer(opcion.piCantidad, opcion.pUnidad, 0);
        item->setObjectName(QLatin1Char('m') + nombre.remove(QLatin1Char(' ')));
    }
    Add_Popup_Menu_Item(menu, QStringLiteral("-"), TTipoItemPopup::Ninguno, QString())
        ->setObjectName(QStringLiteral("mSeparadorPopup1"));
    Add_Popup_Menu_Item(menu, Texto_Menu_Popup(TTextoMenuPopup::Abrir, riLenguaje), TTipoItemPopup::Abrir, rsArchivo)
        ->setObjectName(QStringLiteral("mAbrir"));
    Add_Popup_Menu_Item(menu, QStringLiteral("-"), TTipoItemPopup::Ninguno, QString())
        ->setObjectName(QStringLiteral("mSeparadorPopup2"));
    Add_Popup_Menu_Item(menu, Texto_Menu_Popup(TTextoMenuPopup::Silencio, riLenguaje), TTipoItemPopup::Silencio, rsArchivo)
        ->setObjectName(QStringLiteral("mSilencio"));
    return menu;
}
