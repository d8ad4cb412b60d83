#pragma once
// QScintilla's headers use Qt's plain `signals` and `slots` keywords, which
// this application turns off; they are lent to those headers alone.
#pragma push_macro("signals")
#pragma push_macro("slots")
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qscilexercustom.h>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>
#pragma pop_macro("slots")
#pragma pop_macro("signals")
