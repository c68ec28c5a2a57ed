// The numbers of the program's resources in the Windows build: icon 128, bitmaps 129 to 140, each
// bitmap also at twice its size, for screens of 144 dots per inch and more.
#pragma once

#define VELMOR_ICON 128
#define VELMOR_BITMAP_ABOUT_BANNER 129
#define VELMOR_BITMAP_BANNER 135
#define VELMOR_BITMAP_FOOD 136
#define VELMOR_BITMAP_GOLD 137
#define VELMOR_BITMAP_BANK_GOLD 140
#define VELMOR_DOUBLE_SIZE 1000
