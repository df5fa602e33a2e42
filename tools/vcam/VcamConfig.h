// Settings of the virtual camera, read from the environment each time they are
// needed, so that a test may change them before it connects:
//   VCAM_DRIVERS        comma-separated driver list, one entry per driver number:
//                       "ok" answers and connects, "refuse" answers but refuses
//                       to connect; "none" or an empty value means no drivers.
//                       Unset: one driver that connects.
//   VCAM_DIALOG_DELAY_MS how long the driver takes to open a dialog (default 0).
//   VCAM_DIALOG_LOG     a file that gets a line for every compression dialog
//                       closed: the compressor and quality then chosen.
//   VCAM_FRAME_SIZE     picture size "WIDTHxHEIGHT" (default 320x240).
//   VCAM_CLOSE_DELAY_MS how long closing the capture window takes (default 0).
//   VCAM_GRAB_DELAY_MS  a grab answers at once but holds its frame back this
//                       long before the frame callback gets it (default 0).
//                       Meanwhile the preview's frames do not reach the frame
//                       callback either: a late driver is late with every
//                       frame, and a preview frame must not answer the grab.
//   VCAM_FRAME_ERRORS   "1": a sequence reports an error with every frame.
//   VCAM_IGNORE_ABORT   "1": the abort and stop messages leave a running
//                       sequence going; only its control callback ends it.
#pragma once

#include <string>
#include <vector>

namespace VcamConfig {

enum class DriverKind { Connects, RefusesConnect };

std::vector<DriverKind> Drivers();
unsigned DialogDelayMs();
std::string DialogLog();
void FrameSize(int& width, int& height);
unsigned CloseDelayMs();
unsigned GrabDelayMs();
bool FrameErrors();
bool IgnoreAbort();

}  // namespace VcamConfig
