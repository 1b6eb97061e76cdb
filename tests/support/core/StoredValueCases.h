#pragma once

#include <QList>

// One key of a profile section holding one text, and what comes of it: the inputs the store
// reads (describePresent; empty when the text fits no value) and what the main window shows
// differently from its start once the profile is picked (changed parts of describe(); the
// slider keeps its value within its range).
struct StoredValueCase
{
    const char* row;
    const char* key;
    const char* text;
    const char* read;
    const char* shown;
};

const QList<StoredValueCase>& storedValueCases();
