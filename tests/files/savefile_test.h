// Saving whole or not at all: a full disk, devices and FIFOs, permissions and owner, links,
// names.
#pragma once

#include <QtTest>

class SaveFileTest : public QObject {
    Q_OBJECT
private slots:
    void aFullDiskKeepsTheOldFileAndNamesTheError_data();
    void aFullDiskKeepsTheOldFileAndNamesTheError();
    void aFullDiskLeavesNoNewFile();
    void devicesAndFifosAreWrittenNotReplaced();
    void aReplacedFileKeepsItsPermissions();
    void aReplacedFileKeepsItsOwner();
    void aReadOnlyFileIsReplacedOnlyByRoot();
    void aLinkStaysALink();
    void theNameIsWrittenWithExactlyItsBytes();
};
