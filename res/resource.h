// Resource ids of Varnokle.rc and its fragments. Included by the resource compiler and by C++
// code, so these files hold nothing but #define lines. One header per subsystem, beside the
// commands that menus, toolbar, accelerators and handlers share.
//
// Ranges: 100-127 dialog templates, 128 the main frame's shared id (icon, menu, accelerators,
// toolbar, document string), 130-167 bitmaps, 168-199 menu icons, 200-299 further dialogs and
// menus, 1000-1999 controls, 32768 and up menu commands and strings, 57344 and up the shell's
// standard commands and strings.
#pragma once

#include "ids/Commands.h"
#include "ids/Network.h"
#include "ids/Results.h"
#include "ids/Forms.h"
#include "ids/Shell.h"
#include "ids/Tips.h"
#include "ids/Decor.h"
