/* Resource identifiers shared by the resource script and the code. */
#pragma once

#define IDI_CHAINER                 128

#define IDS_INSTALLING              153
#define IDS_SETUP_CAPTION           161
#define IDS_OPENING_SITE            198
#define IDS_DOWNLOADING             199
#define IDS_REBOOT_QUESTION         216
#define IDS_CONFIRMATION            217
#define IDS_PREPARING               220
#define IDS_SEARCHING               223
#define IDS_CONNECT_TO              245
#define IDS_CREDENTIALS_PROMPT      246
