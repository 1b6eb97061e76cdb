#pragma once

// The interface's language: Russian is the program's own, English its one translation.
enum class UiLanguage
{
    Russian,
    English
};
