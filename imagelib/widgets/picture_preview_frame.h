#pragma once
// A frame that shows one picture file through the preview routine: the file
// dialog's preview pane and the editor's item-form thumbnail.
#include <QWidget>
#include <memory>
#include <string>

#include "imagelib/widgets/picture_preview.h"

class CImage;

class PicturePreviewFrame : public QWidget {
    Q_OBJECT
public:
    explicit PicturePreviewFrame(EmptyPicture empty, QWidget* parent = nullptr);
    ~PicturePreviewFrame() override;

    // Reads the picture at path (8-bit bytes) and repaints; an empty path
    // leaves the frame as it is.
    void setPicture(const std::string& path);
    // Back to showing nothing.
    void clearPicture();
    // The picture last set, nullptr when there is none.
    const CImage* picture() const { return m_image.get(); }

    QSize sizeHint() const override { return {200, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EmptyPicture m_empty;
    std::unique_ptr<CImage> m_image;
};
