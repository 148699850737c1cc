#pragma once
// The one preview routine of both programs: a picture drawn into its frame
// by previewPlacement, on white; a grey frame when the file is not a picture.
#include <QColor>
#include <QRect>

class CImage;
class QPainter;

// Grey for a frame whose picture cannot be shown.
inline const QColor kNoPictureGrey(192, 192, 192);

// What the frame shows of a picture with no pixels (width or height 0 or
// less): the file dialog leaves it as it was, the item form greys it.
enum class EmptyPicture { LeaveFrame, FillGrey };

enum class PreviewShown { NotAPicture, Empty, Picture };

PreviewShown drawPicturePreview(QPainter& painter, const QRect& frame, const CImage& image, EmptyPicture empty);
