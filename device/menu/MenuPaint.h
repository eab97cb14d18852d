// Measuring and painting the owner-drawn items of the popup menu.
#pragma once

#include "platform.h"

// Fills in the item's size; answers 1.
LRESULT MeasureMenuItem(MEASUREITEMSTRUCT* item);

// Paints the item; answers 1 for the header item, 0 for others.
LRESULT DrawMenuItem(const DRAWITEMSTRUCT* item);
