// The calibration screen's geometry: where its controls go, the screen corners in raw panel
// units, and the double-click rule its touches are held to.
#include "calibration_geometry.h"
#include "resource.h"

const int CalibrationTargetIds[4] = {
    IDC_TARGET_LEFT_UP, IDC_TARGET_RIGHT_UP, IDC_TARGET_LEFT_DN, IDC_TARGET_RIGHT_DN,
};

void LayOutCalibrationScreen(int width, int height, ControlPlace places[CALIBRATION_CONTROL_COUNT])
{
    // The instructions and buttons sit around the middle; the targets a tenth of the
    // screen in from each edge (their centres, the bitmaps being 32 pixels square).
    int midX = width / 2, midY = height / 2;
    int tenthX = (width + 1) / 10, tenthY = (height + 1) / 10;
    const ControlPlace table[CALIBRATION_CONTROL_COUNT] = {
        { IDC_ALIGN_TITLE, midX - 250, midY - 100 },
        { IDC_HOW_1, midX - 250, midY - 80 },
        { IDC_HOW_2, midX - 250, midY - 60 },
        { IDC_HOW_3, midX - 250, midY - 40 },
        { IDC_HOW_4, midX - 250, midY - 20 },
        { IDC_HOW_5, midX - 250, midY },
        { IDC_TRY_1, midX - 250, midY - 80 },
        { IDC_TRY_2, midX - 250, midY },
        { IDC_DISPLAY_SIZE, midX - 250, midY - 150 },
        { IDC_OK, midX - 255, midY + 100 },
        { IDC_CANCEL, midX - 55, midY + 100 },
        { IDC_RETRY, midX + 145, midY + 100 },
        { IDC_ALIGN_WORDMARK, (width + 1) / 2 - 100, tenthY },
        { IDC_TARGET_LEFT_UP, tenthX - 16, tenthY - 16 },
        { IDC_TARGET_RIGHT_UP, width - tenthX - 16, tenthY - 16 },
        { IDC_TARGET_LEFT_DN, tenthX - 16, height - tenthY - 16 },
        { IDC_TARGET_RIGHT_DN, width - tenthX - 16, height - tenthY - 16 },
    };

    for (int i = 0; i < CALIBRATION_CONTROL_COUNT; i++)
        places[i] = table[i];
}

// The targets lie a tenth in from each edge and eight tenths apart, so an eighth of the raw
// distance between two targets on a line is the raw distance from a target to the edge.
// Signed 32-bit arithmetic; the division truncates toward zero, whichever way the raw
// values run. The results are not clamped: a corner may lie outside the driver's range.
static LONG EdgeMargin(LONG first, LONG second)
{
    return (second - first - 1) / 8;
}

void ExtrapolateCorners(const RawPoint touched[4], PanelCorners *corners)
{
    LONG top = EdgeMargin(touched[0].X, touched[1].X);
    LONG bottom = EdgeMargin(touched[2].X, touched[3].X);
    LONG left = EdgeMargin(touched[0].Y, touched[2].Y);
    LONG right = EdgeMargin(touched[1].Y, touched[3].Y);

    corners->LeftUpX = touched[0].X - top;
    corners->RightUpX = touched[1].X + top;
    corners->LeftDnX = touched[2].X - bottom;
    corners->RightDnX = touched[3].X + bottom;
    corners->LeftUpY = touched[0].Y - left;
    corners->LeftDnY = touched[2].Y + left;
    corners->RightUpY = touched[1].Y - right;
    corners->RightDnY = touched[3].Y + right;
}

BOOL CornersSpanThePanel(const PanelCorners *corners)
{
    return corners->RightUpX != corners->LeftUpX && corners->RightDnX != corners->LeftDnX &&
           corners->LeftDnY != corners->LeftUpY && corners->RightDnY != corners->RightUpY;
}

static int Distance(LONG a, LONG b)
{
    return a > b ? a - b : b - a;
}

// The rule the system's own mouse input follows: the time counted in unsigned milliseconds,
// so it holds across the tick count's wrap, and the area's half-size a strict bound.
BOOL SecondHalfOfDoubleClick(const ClickRecord *earlier, const ClickRecord *later, UINT doubleClickTime,
                             int areaWidth, int areaHeight)
{
    return later->time - earlier->time < doubleClickTime &&
           Distance(later->at.x, earlier->at.x) < areaWidth / 2 &&
           Distance(later->at.y, earlier->at.y) < areaHeight / 2;
}
