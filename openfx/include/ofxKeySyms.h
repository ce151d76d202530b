#ifndef OFX_KEY_SYMS_H
#define OFX_KEY_SYMS_H
/* Key events sent to interacts: the two key properties and the common key symbols (X11 keysym values). */

/* The published values of these two names keep their "k" prefix. */
#define kOfxPropKeySym "kOfxPropKeySym"
#define kOfxPropKeyString "kOfxPropKeyString"

#define kOfxKey_Unknown 0x0
#define kOfxKey_BackSpace 0xff08
#define kOfxKey_Tab 0xff09
#define kOfxKey_Linefeed 0xff0a
#define kOfxKey_Clear 0xff0b
#define kOfxKey_Return 0xff0d
#define kOfxKey_Pause 0xff13
#define kOfxKey_Scroll_Lock 0xff14
#define kOfxKey_Sys_Req 0xff15
#define kOfxKey_Escape 0xff1b
#define kOfxKey_Delete 0xffff
#define kOfxKey_Home 0xff50
#define kOfxKey_Left 0xff51
#define kOfxKey_Up 0xff52
#define kOfxKey_Right 0xff53
#define kOfxKey_Down 0xff54
#define kOfxKey_Prior 0xff55
#define kOfxKey_Page_Up 0xff55
#define kOfxKey_Next 0xff56
#define kOfxKey_Page_Down 0xff56
#define kOfxKey_End 0xff57
#define kOfxKey_Begin 0xff58
#define kOfxKey_Insert 0xff63
#define kOfxKey_KP_Enter 0xff8d
#define kOfxKey_F1 0xffbe
#define kOfxKey_F2 0xffbf
#define kOfxKey_F3 0xffc0
#define kOfxKey_F4 0xffc1
#define kOfxKey_F5 0xffc2
#define kOfxKey_F6 0xffc3
#define kOfxKey_F7 0xffc4
#define kOfxKey_F8 0xffc5
#define kOfxKey_F9 0xffc6
#define kOfxKey_F10 0xffc7
#define kOfxKey_F11 0xffc8
#define kOfxKey_F12 0xffc9
#define kOfxKey_Shift_L 0xffe1
#define kOfxKey_Shift_R 0xffe2
#define kOfxKey_Control_L 0xffe3
#define kOfxKey_Control_R 0xffe4
#define kOfxKey_Caps_Lock 0xffe5
#define kOfxKey_Alt_L 0xffe9
#define kOfxKey_Alt_R 0xffea
#define kOfxKey_space 0x020
#define kOfxKey_0 0x030
#define kOfxKey_9 0x039
#define kOfxKey_A 0x041
#define kOfxKey_Z 0x05a
#define kOfxKey_a 0x061
#define kOfxKey_z 0x07a

#endif /* OFX_KEY_SYMS_H */
