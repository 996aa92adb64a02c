// Which of setup's pages a window is, told by a control that only its template has; the
// order of the chain (the pages' own, page_chain.h); where the calibration screen shows its
// four targets. The walk, the
// bench and the tests know setup's pages by this one file, so a changed control id or
// layout cannot break only one of them.
#ifndef VELMORA_SETUP_PAGES_H
#define VELMORA_SETUP_PAGES_H

#include <windows.h>
#include "calibration_geometry.h"
#include "page_chain.h"

// The template a page was made from, setup's or one of PADMON's two windows; 0 for a window
// that is none of them (a message box, for instance) or no window at all.
int PageTemplateOf(HWND window);

// The page as a log line names it ("welcome page"); NULL for a template that is no page.
const char *PageName(int templateId);


// The centres of the four targets (CalibrationTargetIds, in that order) on a screen of width
// by height pixels, where the calibration screen lays them out.
void CalibrationTargetCentres(int width, int height, POINT centre[4]);

#endif
