#pragma once
// The toolbar's pictures, drawn rather than taken from an icon theme, so they look the
// same on every desktop.

#include <QIcon>

enum class TDibujoBoton { Agregar, Editar, Borrar, Opciones, Sonido };

QIcon Icono_Boton(TDibujoBoton rDibujo);
