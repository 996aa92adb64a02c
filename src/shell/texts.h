// Every sentence and caption that setup and its programs show a user, word for word.
#ifndef VELMORA_TEXTS_H
#define VELMORA_TEXTS_H

#include "driver.h"
#include "settings.h"

// Captions of the programs' windows and message boxes.
#define SETUP_CAPTION   "Velmora Setup Utility"
#define PADMON_CAPTION  "Velmora Panel Monitor"
#define REMOVER_CAPTION "Velmora Remover"
#define ALIGNER_CAPTION "Velmora Screen Alignment"
#define TUNER_CAPTION   "Velmora Touch Tuning"
// The programs as the first line of their logs names them.
#define SETUP_LOG_NAME   "Velmora Setup"
#define REMOVER_LOG_NAME "Velmora Remover"

// The one-at-a-time lock, in every program that changes the installation.
#define INSTALLATION_BUSY_TEXT \
    "Velmora Setup or one of its programs is already changing the installation. Please close it and try again."
#define STOPPED_SETUP_TEXT \
    "Velmora Setup was stopped before it finished, and what it changed is not put back yet. " \
    "Please run Velmora Setup again, which puts it back, and then try again."
#define INSTALLATION_UNGUARDED_TEXT \
    "Velmora Setup cannot make sure that none of its programs is changing the installation. " \
    "Please restart Windows and try again."

// When the driver does not load, by setup and its programs alike.
#define DRIVER_FAILED_TEXT    "Cannot Load " DRIVER_FILE_NAME
#define DRIVER_FAILED_CAPTION "Load VXD Message"

// Setup's summary page: the card does not answer; the journal that would put back the
// driver and the settings cannot be written, so neither is replaced.
#define NO_CARD_TEXT    "Cannot Find Interface Card"
#define NO_CARD_CAPTION "Error Message"
#define JOURNAL_NOT_WRITTEN_TEXT \
    "Setup cannot keep a record of what it changes in the Windows folder, and has changed nothing. " \
    "Please make sure that the Windows folder can be written, and run Velmora Setup again."

// Setup's end: the finish page cannot be shown after an accepted calibration; its last
// line; a restart Windows refused.
#define NOT_FINISHED_TEXT "The installation could not be finished. Please run Velmora Setup again."
#define INSTALLED_TEXT    "Installation Driver OK !!"
// The finish page's progress line before each program's copy, and after an installation
// that could not write everything, the first thing not written ("Registry" or a file); the
// line below it when a recorded run's answer file cannot be written.
#define PROGRESS_FORMAT          "Now Write %s"
#define NOT_WRITTEN_FORMAT       "Cannot Write %s"
#define REGISTRY_NAME            "Registry"
#define ANSWERS_NOT_WRITTEN_TEXT "Cannot Write Answer File"
#define RESTART_FAILED_TEXT \
    "Windows could not be restarted. Please restart Windows yourself to start the touch screen driver."

// A switch of SETUP.EXE or REMOVER.EXE not understood: the switch as typed, without its
// value, then why, and the switch it goes or does not go with.
#define SWITCH_REFUSED_FORMAT    "The switch \"%s%s\" %s%s."
#define SWITCH_NOT_A_SWITCH_TEXT "does not start with / or -"
#define SWITCH_UNKNOWN_TEXT      "is not known"
#define SWITCH_TWICE_TEXT        "is given twice"
#define SWITCH_NO_VALUE_TEXT     "needs a value after ="
#define SWITCH_VALUE_TEXT        "takes no value"
#define SWITCH_TOO_LONG_TEXT     "is too long"
#define SWITCH_NEEDS_TEXT        "needs /"
#define SWITCH_EXCLUDES_TEXT     "cannot go with /"
#define SWITCH_PATH_TOO_LONG_TEXT "names too long a path"
#define SWITCH_SAME_FILE_TEXT    "names the same file as /"
#define SWITCH_NOT_A_NAME_TEXT   "needs a name of 1 to 8 letters, digits or _"
#define SWITCH_DEVICE_TEXT       "names a device"
// A quiet run's log that could not be made where /LOG said: the run logs here instead.
#define LOG_NOT_MADE_FORMAT      "Cannot make the log %s; logging here instead."

// The companion programs.
#define NOT_INSTALLED_TEXT "Velmora is not installed on this computer."
// A settings key that is there but cannot be opened: Velmora is installed.
#define SETTINGS_UNREADABLE_TEXT "The Velmora settings cannot be read."
#define NO_POINT_TEXT "The touch driver gave no point."
#define ALIGNER_TEST_TEXT \
    "If the cursor responds correctly then your touch panel is accurately aligned to your monitor. " \
    "Touch the [OK] button to keep this alignment, or [Retry] to align again."
// ALIGNER's screen: a touch off its target, and what the centre target measured against the
// error that is good.
#define TOUCH_REFUSED_TEXT "That touch was not on the target. Please touch the centre of the target."
#define ROW_REFUSED_TEXT "One of the first two touches was not on its target. Please touch the targets again from the first."
#define ALIGNMENT_GOOD_FORMAT "Alignment error: %ld pixels (good within %ld)"
#define ALIGNMENT_RETRY_FORMAT "Alignment error: %ld pixels, more than the %ld pixels that are good: press Retry to align again."
// ALIGNER's fifth target, in the place of the instructions.
#define CENTRE_TARGET_TEXT "Touch the centre of the target to measure the alignment."
// PADMON's check of the alignment: what to do, how far it is, and what the nine touches
// showed. An alignment that is off is told in three parts: how far, the pattern of the
// touches (where they land, or the place of the worst), and what to do.
#define CHECK_HOW_TEXT "Touch the centre of each target."
#define CHECK_PROGRESS_FORMAT "Target %d of 9"
#define CHECK_ERRORS_FORMAT "Worst error %ld pixels, mean error %ld pixels; good within %ld pixels"
#define CHECK_GOOD_TEXT "Alignment good."
#define CHECK_OFF_FORMAT "Alignment off by %ld pixels"
#define CHECK_SHIFT_FORMAT ": every touch lands about %ld pixels %s%s%s of its target"
#define CHECK_SPAN_FORMAT ": the touches land %s the centre than their targets"
#define CHECK_FARTHER_TEXT "farther from"
#define CHECK_NEARER_TEXT "nearer to"
#define CHECK_PLACE_FORMAT " at the %s"
#define CHECK_AGAIN_TEXT ". Run ALIGNER to align the panel again."
#define CHECK_UNMAPPED_TEXT "The stored corners map no touch"
// A shift's direction: the vertical words, " and " when both axes are named, the horizontal ones.
#define CHECK_ABOVE_TEXT "above"
#define CHECK_BELOW_TEXT "below"
#define CHECK_AND_TEXT " and "
#define CHECK_LEFT_TEXT "to the left"
#define CHECK_RIGHT_TEXT "to the right"
// Stored corners that are still setup's defaults: PADMON's window, and its check instead of a figure.
#define NOT_ALIGNED_TEXT "The panel has not been aligned. Run ALIGNER to align it."
// The picture's key names the lines drawn: none when every touch landed on its target, the
// red ones only when the errors are small enough to magnify.
#define CHECK_SCALE_TEXT "Blue lines: from each target to where its touch landed."
#define CHECK_MAGNIFIED_FORMAT " Red lines: the same, %d times longer."
#define CHECK_PLACE_NAMES \
    "top left", "top", "top right", "left", "centre", "right", "bottom left", "bottom", "bottom right"
#define ALIGNMENT_NOT_STORED_TEXT "The new alignment could not be stored. The touch panel keeps it only until Windows restarts."
#define TUNED_TEXT "The new touch settings take effect at the next start of Windows."
#define TUNER_NOT_STORED_TEXT "The new touch settings could not be stored."

// The remover's question, and the parts of its report, each but the last ending its line.
#define REMOVE_QUESTION_TEXT "Remove the Velmora touch screen driver?"
#define NOT_REMOVED_TEXT \
    "The Velmora touch screen driver could not be removed completely. Windows did not " \
    "let these registry keys be changed:\r\n"
#define REMOVED_TEXT             "The Velmora touch screen driver has been removed.\r\n"
#define REMOVED_AT_RESTART_TEXT  "\r\nFiles still in use are deleted at the next start of Windows.\r\n"
#define BY_HAND_AFTER_RESTART_TEXT "\r\nPlease delete by hand after the restart:\r\n"
#define BY_HAND_TEXT             "\r\nPlease delete by hand:\r\n"
#define RESTART_QUESTION_TEXT    "\r\nWindows must be restarted to finish the removal. Restart Windows now?"

#endif
