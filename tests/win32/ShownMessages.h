/* What the module shows the user, captured between StartCapturingMessages
 * and CapturedMessages as "caption: text\n" lines in UTF-8. A hook on the
 * host's thread reads each message box as it opens and presses its OK
 * button, so that MessageBoxA returns without a user. A box that breaks the
 * module's rules (an owner window, a button other than OK) gets " [what]"
 * added to its line. */
#ifndef QUENTA_WIN32_SHOWN_MESSAGES_H
#define QUENTA_WIN32_SHOWN_MESSAGES_H

#include <stdbool.h>

bool StartCapturingMessages(void);
/* The lines since StartCapturingMessages; valid until the next start. */
const char* CapturedMessages(void);

#endif
