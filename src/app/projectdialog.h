#pragma once

#include <QString>

#include <optional>

class QWidget;

// The question "which project?" that the panel asks when it has none. The main screen asks it
// through this seam so that tests can answer it without a dialog.
class ProjectDialog
{
public:
    virtual ~ProjectDialog() = default;

    // The full name of the file chosen (a project's "MTNav.xml"), or nothing when the user
    // cancelled. initialFolder may be empty or missing.
    virtual std::optional<QString> chooseProjectFile(QWidget *parent, const QString &initialFolder) = 0;
};

// Qt's own file dialog, non-native and sized for a finger: title "Select a Project", file name
// "MTNav.xml", filter "*.xml".
class QtProjectDialog final : public ProjectDialog
{
public:
    std::optional<QString> chooseProjectFile(QWidget *parent, const QString &initialFolder) override;
};
