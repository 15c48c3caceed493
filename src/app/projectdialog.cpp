#include "app/projectdialog.h"

#include <QDir>
#include <QFileDialog>
#include <QScreen>

using namespace Qt::StringLiterals;

std::optional<QString> QtProjectDialog::chooseProjectFile(QWidget *parent, const QString &initialFolder)
{
    QFileDialog dialog(parent, u"Select a Project"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(u"*.xml"_s);
    if (!initialFolder.isEmpty() && QDir(initialFolder).exists())
        dialog.setDirectory(initialFolder);
    dialog.selectFile(u"MTNav.xml"_s);

    // Large enough to hit with a finger on a wall panel.
    QFont font = dialog.font();
    font.setPointSize(qMax(font.pointSize(), 14));
    dialog.setFont(font);
    if (const QScreen *screen = parent ? parent->screen() : nullptr) {
        const QSize available = screen->availableSize();
        dialog.resize(available.width() * 4 / 5, available.height() * 4 / 5);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
