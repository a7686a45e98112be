// The program's rights notice: the About box shows it and the version resource carries it.
// A plain define: the resource script reads it too.
#pragma once

#define TALVORINE_COPYRIGHT "© 2026 les développeurs de Talvorine"
