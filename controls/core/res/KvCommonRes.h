// Resource identifiers of the control library: the captions of the standard
// button kinds (the glyphs are named resources, KVCOMMON_<kind>).
#pragma once

#define IDS_KVBUTTON_OK 0x7E10
#define IDS_KVBUTTON_CANCEL 0x7E11
#define IDS_KVBUTTON_HELP 0x7E12
#define IDS_KVBUTTON_YES 0x7E13
#define IDS_KVBUTTON_NO 0x7E14
#define IDS_KVBUTTON_CLOSE 0x7E15
#define IDS_KVBUTTON_ABORT 0x7E16
#define IDS_KVBUTTON_RETRY 0x7E17
#define IDS_KVBUTTON_IGNORE 0x7E18
#define IDS_KVBUTTON_ALL 0x7E19
