// The wizard's chain of pages: its process-wide state and the protocol every page follows.
#ifndef VELMORA_SETUP_H
#define VELMORA_SETUP_H

#include "program.h"
// The chain ends at the calibration screen, whose outcome every page reads.
#include "calibration_screen.h"

extern int SetupAborted;          // 1: a page's Cancel or a failure ends setup

// Every piece of state a run of setup keeps, of the pages, the replay, the installation and
// the layers below, as a fresh process starts with it: a second run in one process (the
// tests') starts as the first did.
void ResetSetupRun(void);

// True when a flag says the whole stack of pages must close.
BOOL ChainUnwinding(void);

// FALSE while a page or message box that this page opened is up over it.
BOOL PageTakesCommands(HWND page);

// Next, Back and Cancel of every page of the chain before the calibration screen: Next opens
// the following page and closes this one too once that page has set a flag, Back closes this
// page, and Cancel closes it and ends setup. A page with a step of its own takes it first and
// then calls this. FALSE for any other command.
BOOL FollowPageChain(HWND page, WPARAM command, int thisTemplate);
// Opens the page after thisTemplate in the chain (page_chain.h), owned by page; the first
// page, with no owner, for 0. The page's result.
INT_PTR OpenNextPage(HWND page, int thisTemplate);

INT_PTR CALLBACK WelcomePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PortPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RightButtonPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SummaryPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FinishPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
