// Resource identifiers shared by the three programs' .rc files.
#pragma once
#define IDI_APP 1    // program file icon, 32x32 in 16 colours
#define IDI_SMALL 2  // window icon, 16x16 in two colours
