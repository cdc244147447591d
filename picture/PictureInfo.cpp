#include "picture/PictureInfo.h"

void clearPictureInfo(PictureInfo& info) { info = PictureInfo{}; }
