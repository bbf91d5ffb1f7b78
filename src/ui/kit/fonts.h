#pragma once

// The windows ask for the fonts of their design ("Bookman Old Style", "Comic
// Sans MS", "Times New Roman" ...); each is mapped to the closest free family
// that the set-up installs. Safe to call more than once.
void installFontSubstitutes();
