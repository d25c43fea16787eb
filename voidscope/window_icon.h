#pragma once

#include <QIcon>
#include <QImage>

// The two 16 x 16 pictures of the window's icon: 16 colours and 256 colours.
QImage WindowIconPicture(int colours);
QIcon WindowIcon();
