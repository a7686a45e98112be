// Control identifiers of the encoding row that the open and save dialogs carry
// (template TEXTFILEDLG). Plain defines: the resource script reads them too.
#pragma once

#define TEXTFILEDLG_PLACE_OF_STANDARD_CONTROLS 1119 /* stc32: where the dialog puts its own controls */
#define TEXTFILEDLG_ENCODING_LABEL 1300
#define TEXTFILEDLG_ENCODING_LIST 1301
