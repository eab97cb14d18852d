// The answers a test asked of the stand-ins (EmulatorAnswers.h), read afresh
// at each call so that a test can change them while a program runs.
#pragma once

#include <windows.h>

#include "EmulatorAnswers.h"

// True, with the value, when the test set the DWORD answer name.
bool ReadAnswer(const wchar_t* name, DWORD* value);
// True, with the text, when the test set the string answer name and it fits
// in length units with its terminator.
bool ReadAnswerText(const wchar_t* name, wchar_t* text, DWORD length);
