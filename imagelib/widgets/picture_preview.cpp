#include "imagelib/widgets/picture_preview.h"

#include <QPainter>

#include "imagelib/preview_placement.h"
#include "imagelib/widgets/image.h"

PreviewShown drawPicturePreview(QPainter& painter, const QRect& frame, const CImage& image, EmptyPicture empty) {
    if (!image.IsOK()) {
        painter.fillRect(frame, kNoPictureGrey);
        return PreviewShown::NotAPicture;
    }
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (width <= 0 || height <= 0 || frame.width() <= 0 || frame.height() <= 0) {
        if (empty == EmptyPicture::FillGrey)
            painter.fillRect(frame, kNoPictureGrey);
        return PreviewShown::Empty;
    }
    const PreviewPlacement place = previewPlacement(width, height, frame.width(), frame.height());
    painter.fillRect(frame, Qt::white);
    // An indexed picture carries its colour table into the painter itself, so
    // no palette has to be selected first.
    const int x = frame.x() + place.x;
    const int y = frame.y() + place.y;
    if (place.mode == PreviewMode::Stretch)
        image.Stretch(painter, x, y, place.width, place.height, 0, 0, -1, -1);
    else
        image.Draw(painter, x, y, -1, -1, 0, 0);
    return PreviewShown::Picture;
}
