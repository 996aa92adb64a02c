// The chain of pages that Next leads through, by template, from the welcome page to the
// calibration screen: the pages follow it, and the walk, the bench and the tests read it.
#ifndef VELMORA_PAGE_CHAIN_H
#define VELMORA_PAGE_CHAIN_H

#include "resource.h"

enum { SETUP_CHAIN_LENGTH = 5 };
static const int SetupChain[SETUP_CHAIN_LENGTH] = { IDD_WELCOME, IDD_PORT, IDD_RIGHT_BUTTON, IDD_SUMMARY,
                                                    IDD_CALIBRATION };

#endif
