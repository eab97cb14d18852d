// The installer's four pages: welcome, agreement, and the two product pages.
#pragma once

// Shows the page (IDD_WELCOME, IDD_AGREEMENT, IDD_PRODUCTS_FIRST or
// IDD_PRODUCTS_SECOND) until its default button ends it. Cancel, Esc and the
// close box end the whole program with exit code 0.
void ShowPage(int page);
