#include "imagelib/widgets/img_dialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "imagelib/file_filter.h"
#include "imagelib/preview_placement.h"
#include "imagelib/widgets/image.h"
#include "imagelib/widgets/picture_preview_frame.h"
#include "model/paths.h"

namespace {

QStringList pictureNameFilters(ImgDialogProgram program) {
    QStringList lines;
    for (const FileFilter& filter : parseFileFilter(pictureFileFilter(program)))
        lines << QString::fromStdString(nameFilterLine(filter));
    return lines;
}

QString fromBytes(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(nativePath(path))); }

}  // namespace

CImgDialog::CImgDialog(QWidget* parent, ImgDialogProgram program, const std::string& title)
    : QFileDialog(parent, QString::fromStdString(title)) {
    // Qt's own dialog, not the desktop's, so that the preview pane can join it.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setLabelText(QFileDialog::Accept, QStringLiteral("Select"));
    setNameFilters(pictureNameFilters(program));
    addPreviewPane();
    connect(this, &QFileDialog::currentChanged, this,
            [this](const QString& path) { preview(QFile::encodeName(path).toStdString()); });
}

void CImgDialog::addPreviewPane() {
    auto* pane = new QWidget(this);
    auto* column = new QVBoxLayout(pane);
    m_frame = new PicturePreviewFrame(EmptyPicture::LeaveFrame, pane);
    m_frame->setObjectName(QStringLiteral("previewFrame"));
    m_frame->setFixedSize(m_frame->sizeHint());
    m_fileSize = new QLabel(pane);
    m_fileSize->setObjectName(QStringLiteral("fileSizeLabel"));
    m_width = new QLabel(pane);
    m_width->setObjectName(QStringLiteral("widthLabel"));
    m_height = new QLabel(pane);
    m_height->setObjectName(QStringLiteral("heightLabel"));
    column->addWidget(m_frame);
    column->addWidget(m_fileSize);
    column->addWidget(m_width);
    column->addWidget(m_height);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1);
    else if (layout())
        layout()->addWidget(pane);
}

void CImgDialog::clearLabels() {
    m_fileSize->clear();
    m_width->clear();
    m_height->clear();
}

void CImgDialog::preview(const std::string& path) {
    if (path.empty())
        return;
    m_frame->setPicture(path);
    const CImage* image = m_frame->picture();
    if (!image || !image->IsOK()) {
        clearLabels();
        return;
    }
    const int width = image->GetWidth();
    const int height = image->GetHeight();
    if (width <= 0 || height <= 0)
        return;
    std::error_code error;
    const auto size = std::filesystem::file_size(nativePath(path), error);
    if (error)
        return;
    const PreviewLabels labels = previewLabels(static_cast<long long>(size), width, height);
    m_fileSize->setText(QString::fromStdString(labels.fileSize));
    m_width->setText(QString::fromStdString(labels.width));
    m_height->setText(QString::fromStdString(labels.height));
}

void CImgDialog::startAt(const std::string& startPath) {
    if (startPath.empty())
        return;
    const QFileInfo start(fromBytes(startPath));
    if (start.isDir()) {
        setDirectory(start.absoluteFilePath());
        return;
    }
    setDirectory(start.absolutePath());
    if (start.exists()) {
        selectFile(start.absoluteFilePath());
        preview(QFile::encodeName(start.absoluteFilePath()).toStdString());
    }
}

std::string CImgDialog::selectedPicture() const {
    const QStringList files = selectedFiles();
    if (files.isEmpty())
        return {};
    return QFile::encodeName(files.first()).toStdString();
}

std::optional<std::string> CImgDialog::choosePicture(QWidget* parent, ImgDialogProgram program,
                                                     const std::string& title, const std::string& startPath) {
    CImgDialog dialog(parent, program, title);
    dialog.startAt(startPath);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::string chosen = dialog.selectedPicture();
    if (chosen.empty())
        return std::nullopt;
    return chosen;
}
