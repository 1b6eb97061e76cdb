#pragma once

// The pictures live in a static library; this pulls them into whatever links it.
class AppResources
{
public:
    static void init();
};
