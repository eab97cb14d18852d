// The decoration every settings page and the network helper share: a header
// label in bold highlight colour and a rule under it.
#pragma once

#include "platform.h"

// WM_PAINT: the rule under the header. The version stamp (withVersion) shows
// nothing.
void PaintPageHeader(HWND page, bool withVersion);

// WM_CTLCOLORSTATIC: colours the page's header label (control 9) and answers
// its brush; NULL for any other control, which the platform colours.
HBRUSH HeaderLabelColors(HWND page, HDC dc, HWND control);

// The header font is shared by every page; the host frees it when it goes.
void DeleteHeaderFont();
