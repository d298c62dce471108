// The main frame, start-up and the about box.
#pragma once

// The main frame's shared id: its icon (and its menu, accelerators, toolbar and document string)
#define IDR_MAINFRAME 128
