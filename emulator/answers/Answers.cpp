#include "Answers.h"

bool ReadAnswer(const wchar_t* name, DWORD* value) {
    DWORD type = 0, data = 0, size = sizeof(data);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_ANSWERS_KEY, name, RRF_RT_REG_DWORD, &type, &data,
                     &size) != ERROR_SUCCESS)
        return false;
    *value = data;
    return true;
}

bool ReadAnswerText(const wchar_t* name, wchar_t* text, DWORD length) {
    if (!text || length == 0) return false;
    DWORD size = length * sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, EMULATOR_ANSWERS_KEY, name, RRF_RT_REG_SZ, NULL, text,
                     &size) == ERROR_SUCCESS)
        return true;
    text[0] = 0;
    return false;
}
