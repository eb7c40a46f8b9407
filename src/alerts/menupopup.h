#pragma once
// The tray popup's menu: three snooze submenus (16 minute, 10 hour and 14 day items),
// "Open Kestrin" and "Mute", in the interface language. Each item carries its kind and
// the reminder file it acts on (the item's hint); the snooze length is read back from
// the caption when the item is chosen.

#include <QString>

class QAction;
class QMenu;
class QObject;

enum class TTipoItemPopup { Ninguno = 0, Snooze = 1, Abrir = 2, Silencio = 3 };

enum class TTextoMenuPopup { SnoozeMinutos, SnoozeHoras, SnoozeDias, Abrir, Silencio };
QString Texto_Menu_Popup(TTextoMenuPopup rTexto, int riLenguaje);

// One item of rMenu: caption, kind and hint. An item of kind Ninguno has no action;
// the caption "-" makes a separator.
QAction *Add_Popup_Menu_Item(QMenu *rMenu, const QString &rsCaption, TTipoItemPopup rTipo, const QString &rsHint);
// A submenu header of rMenu (kind Ninguno); its items go into the menu returned.
QMenu *Add_Popup_Submenu_Item(QMenu *rMenu, const QString &rsCaption);

// The whole menu for the reminder file rsArchivo, object names mMinutos, mHoras, mDias,
// mSnooze<n><Unit>, mAbrir, mSilencio as in the reminder wizard's test menu.
QMenu *Crear_Menu_Popup(const QString &rsArchivo, int riLenguaje);

TTipoItemPopup Tipo_Item_Popup(const QAction *rItem);
QString Hint_Item_Popup(const QAction *rItem);
