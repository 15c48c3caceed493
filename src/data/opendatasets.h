#pragma once

#include <QString>

class DataView;
class TDataModuleKVX;

// Loading, saving and closing the project's file set. Class-level operations on the data module
// handed in; no instance is ever made.
//
// Errors follow two rules:
// - a dataset error of one table (a malformed or incompatible file, a column that does not fit) is
//   caught: that table stays as the error left it (a table that failed to open stays closed), the
//   others are processed, and the error is listed in TDataModuleKVX::dataSetFailures();
// - a file that cannot be created, read or written (DataFileError), and Members failing to open
//   (its lookup views cannot be attached, DatasetError), are not caught: they reach the caller,
//   and the rest of the operation is skipped.
// Nothing here shows anything to the user.
class TOpenDataSets final
{
public:
    TOpenDataSets() = delete;

    // Loads the fifteen files of the project folder in their order, masters before details.
    static void OpenAllTouchXML(TDataModuleKVX &dm);
    // Saves every open project table (Members first, NuvoFavorites last); with the close flag
    // closes each after saving, then closes cdsReadOut and deletes its file when it was opened in
    // this run.
    static void SaveAllXML(TDataModuleKVX &dm, bool close);

    // Opens one project table from ProjDir + fileName, creating a missing file empty with the
    // table's declared columns, then gives the table its order and master link.
    static void OpenADataSet(TDataModuleKVX &dm, DataView &table, const QString &fileName);
    // Opens a scratch table in the program's folder: any old file is deleted, the table is
    // created empty, written and opened.
    static void OpenALocalDataSet(TDataModuleKVX &dm, DataView &table, const QString &fileName);
    // Writes an open table (merged) to the file it was opened from; a closed table is skipped.
    static void SaveADataSet(TDataModuleKVX &dm, DataView &table);
    static void CloseADataSet(TDataModuleKVX &dm, DataView &table);
    // Closes a scratch table and deletes its file.
    static void CloseALocalDataSet(TDataModuleKVX &dm, DataView &table);

    // Per-table open operations: the general one plus the views the table carries.
    static void MembersOpen(TDataModuleKVX &dm); // also upgrades old Group declarations
    static void RTCOpen(TDataModuleKVX &dm);
    static void TSMOpen(TDataModuleKVX &dm);
    static void MTNavOpen(TDataModuleKVX &dm);
    static void MTButOpen(TDataModuleKVX &dm); // attaches cdsMTButFont
    static void MTActOpen(TDataModuleKVX &dm);
    static void MTReactOpen(TDataModuleKVX &dm);
    static void MTSettingsOpen(TDataModuleKVX &dm);
    static void MTAddMembersOpen(TDataModuleKVX &dm);
    static void MTSpeedButOpen(TDataModuleKVX &dm); // attaches cdsMTSpeedButFont
    static void MTSpeedActOpen(TDataModuleKVX &dm);
    static void MTCommButOpen(TDataModuleKVX &dm); // attaches cdsMTCommButFont
    static void MTCommActOpen(TDataModuleKVX &dm);
    static void NuvoPlayersOpen(TDataModuleKVX &dm);
    static void NuvoFavoritesOpen(TDataModuleKVX &dm);
    // ReadOut.xml beside the program, afresh for every read-out of a clock switch.
    static void ReadOutOpen(TDataModuleKVX &dm);
    static void ReadOutClose(TDataModuleKVX &dm);

private:
    static void configure(TDataModuleKVX &dm, DataView &table);
};
