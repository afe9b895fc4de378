#pragma once
// Resource identifiers of the player's own resources (also used by the .rc script).

#define IDD_QUESTION_PANEL 1001
#define IDD_HEADER_PANEL 1002
#define IDC_HAND_CURSOR 1003
#define IDI_PLAY 1004
#define IDI_STOP 1005
