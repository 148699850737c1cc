#pragma once
// The picture file dialog of both programs: the standard open dialog with a
// preview pane beside it (the picture, its file size, width and height) and
// "Select" on its OK button.
#include <QFileDialog>
#include <optional>
#include <string>

#include "imagelib/picture_file_filter.h"

class PicturePreviewFrame;
class QLabel;

class CImgDialog : public QFileDialog {
    Q_OBJECT
public:
    // The pane's children are named "previewFrame", "fileSizeLabel",
    // "widthLabel" and "heightLabel".
    CImgDialog(QWidget* parent, ImgDialogProgram program, const std::string& title);

    // Opens in the folder of startPath (8-bit bytes, either separator) with
    // its file selected, or in the folder it names.
    void startAt(const std::string& startPath);

    // The chosen file as 8-bit bytes; empty when there is none.
    std::string selectedPicture() const;

    // Shows the picture at path (8-bit bytes) and its labels; an empty path does nothing.
    void preview(const std::string& path);

    // Runs the dialog; the chosen file, or nothing when it was cancelled.
    static std::optional<std::string> choosePicture(QWidget* parent, ImgDialogProgram program,
                                                    const std::string& title, const std::string& startPath);

private:
    void addPreviewPane();
    void clearLabels();

    PicturePreviewFrame* m_frame = nullptr;
    QLabel* m_fileSize = nullptr;
    QLabel* m_width = nullptr;
    QLabel* m_height = nullptr;
};
