#pragma once
// The "Settings" page of the appearance sheet.
#include <QWidget>

#include "app/core/settings_page.h"

class QCheckBox;
class QLineEdit;

class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CSettingsPage(QWidget* parent = nullptr);
    void showValues(const SettingsPageValues& values);
    SettingsPageValues values() const;

private:
    SettingsPageValues m_shown;
    QLineEdit* m_title;
    QLineEdit* m_inputFile;
    QLineEdit* m_defaultInputDir;
    QLineEdit* m_homeLink;
    QLineEdit* m_outputDir;
    QLineEdit* m_tempOutputDir;
    QLineEdit* m_previewMaxItems;
    QCheckBox* m_includeBasket;
    QCheckBox* m_includeOrderForm;
};
