#include "imagelib/widgets/picture_preview_frame.h"

#include <QPainter>

#include "imagelib/widgets/image.h"

PicturePreviewFrame::PicturePreviewFrame(EmptyPicture empty, QWidget* parent) : QWidget(parent), m_empty(empty) {}

PicturePreviewFrame::~PicturePreviewFrame() = default;

void PicturePreviewFrame::setPicture(const std::string& path) {
    if (path.empty())
        return;
    m_image = std::make_unique<CImage>(path, CImage::FromContent);
    update();
}

void PicturePreviewFrame::clearPicture() {
    m_image.reset();
    update();
}

void PicturePreviewFrame::paintEvent(QPaintEvent*) {
    if (!m_image)
        return;
    QPainter painter(this);
    drawPicturePreview(painter, rect(), *m_image, m_empty);
}
