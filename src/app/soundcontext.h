#pragma once
// What the sound library manager gets from the main window: its folders, its default
// sound (shown, and changed by Set As Default), the preview player, and the way a new
// default reaches the running scheduler.

#include "settings/soundmanager.h"

class TfrmMain;
class TReproductorInterno;

TContextoSonidos Contexto_Sonidos(TfrmMain &rVentana, TReproductorInterno *rReproductor);
