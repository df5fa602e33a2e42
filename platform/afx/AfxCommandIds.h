// The framework's standard command ids (file, edit and application commands),
// usable from resource scripts.
#pragma once

#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100          // 57600
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN 0xE101         // 57601
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE 0xE103         // 57603
#endif
#ifndef ID_FILE_PRINT_SETUP
#define ID_FILE_PRINT_SETUP 0xE106  // 57606
#endif
#ifndef ID_FILE_PRINT
#define ID_FILE_PRINT 0xE107        // 57607
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 0xE122         // 57634
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 0xE123          // 57635
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 0xE125        // 57637
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 0xE12B         // 57643
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140         // 57664
#endif
