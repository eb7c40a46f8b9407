#pragma once
// The toolbar's pictures, drawn rather than taken from an icon theme, so they look the
// same on every desktop; and the program's icon with a drawn stand-in.

#include <QIcon>

enum class TDibujoBoton { Agregar, Editar, Borrar, Opciones, Sonido };

QIcon Icono_Boton(TDibujoBoton rDibujo);
// The program's icon from the resources (a drawn bell when they hold none).
QIcon Icono_Kestrin();
