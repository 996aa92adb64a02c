// Which of setup's pages a window is, told by a control that only its template has. The walk
// and the tests' dialog driver both recognise pages by this one table, so a changed control
// id cannot break only one of them.
#ifndef VELMORA_SETUP_PAGES_H
#define VELMORA_SETUP_PAGES_H

#include <windows.h>

// The template a page was made from; 0 for a window that is none of the pages (a message
// box, for instance) or no window at all.
int PageTemplateOf(HWND window);

// The page as a log line names it ("welcome page"); NULL for a template that is no page.
const char *PageName(int templateId);

#endif
