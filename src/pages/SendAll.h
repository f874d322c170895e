#pragma once

namespace tess {

class Pages;
struct PageContext;

// "Send Current Settings to Quorex(s)": every setting the window shows goes
// to the units in a fixed order, page by page: the wall (projector count,
// alignment and overlap), the input channels, the screens of unit 1, the
// unit-wide feathering and mode, the screens of unit 2, the seam gains,
// and last each unit's feathering curve, seam bridge and bridge threshold.
// Channels without video lock send no input and no seam values; unit 2
// takes part only while more than one unit is in use. A text that holds no
// number ends the sending with a message (what went out stays sent).
// Nothing happens while another handler runs, while SuppressSend is set or
// while no unit is connected. Afterwards the units' screens are read back
// and the Display Setup page shows what they hold.
void SendCurrentSettings(PageContext &context, Pages &pages);

}  // namespace tess
