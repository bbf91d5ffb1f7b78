#pragma once

// Makes showMessage open the program's message box: no icon, the text, one OK
// button, titled "Quillfen Pursewise". Called once at start-up.
void installMessageBox();
