#include "lang/langstrings.h"

namespace {

const char16_t *const English[LangEntryCount] = {
    u"Cs Background Generated Succesfully",           // 0
    u"Unable To Locate Cs Background Folder",
    u"Unable To Locate HL.exe",
    u"Unable To Locate Cz Background Folder",
    u"Run Cs",
    u"Resolution",                                    // 5
    u"Make Cs Background",
    u"Load Picture",
    u"Locate HL.exe",
    u"Run Cz",
    u"Cz Background Generated Succesfully",           // 10
    u"Unable To Locate Cs Resource Folder",
    u"Unable To Locate Cz Resource Folder",
    u"Make Cz Background",
    u"Unable To Locate Dod Background Folder",
    u"Run Dod",                                       // 15
    nullptr,
    u"Unable To Locate Dod Resource Folder",
    u"Make Dod Background",
    nullptr,
    u"Dod Background Generated Succesfully",          // 20
    u"Unable To Locate Half-Life Background Folder",
    u"Run HL",
    u"Unable To Locate Half-Life Resource Folder",
    u"Make HL Background",
    nullptr, nullptr, nullptr, nullptr, nullptr,      // 25..29
    u"Hal-Life Background Generated Succesfully",     // 30
};

// The Spanish success message is the same for every game.
constexpr const char16_t *SpanishSuccess = u"Imagen De Fondo Generada Satisfactoriamente";

const char16_t *const Spanish[LangEntryCount] = {
    SpanishSuccess,                                   // 0
    u"No Se Encontro La Carpeta Background Del Cs",
    u"No se Pudo Encontrar El Archivo HL.exe",
    u"No Se Encontro La Carpeta Background Del Cz",
    u"Ejecutar Cs",
    u"Resoluci\u00F3n",                               // 5
    u"Crear Fondo Cs",
    u"Cargar Imagen",
    u"Ubique El Archivo HL.exe",
    u"Ejecutar Cz",
    SpanishSuccess,                                   // 10
    u"No Se Encontro La Carpeta Resource Del Cs",
    u"No Se Encontro La Carpeta Resource Del Cz",
    u"Crear Fondo Cz",
    u"No Se Encontro La Carpeta Background Del Dod",
    u"Ejecutar Dod",                                  // 15
    nullptr,
    u"No Se Encontro La Carpeta Resource Del Dod",
    u"Crear Fondo Dod",
    nullptr,
    SpanishSuccess,                                   // 20
    u"No Se Encontro La Carpeta Background Del Half-Life",
    u"Ejecutar HL",
    u"No Se Encontro La Carpeta Resource Del Half-Life",
    u"Crear Fondo HL",
    nullptr, nullptr, nullptr, nullptr, nullptr,      // 25..29
    SpanishSuccess,                                   // 30
};

} // namespace

void LangStrings::ApplyEnglish()
{
    apply(English);
}

void LangStrings::ApplySpanish()
{
    apply(Spanish);
}

QString LangStrings::Entry(int index) const
{
    return index >= 0 && index < LangEntryCount ? m_entries[index] : QString();
}

void LangStrings::apply(const char16_t *const (&table)[LangEntryCount])
{
    for (int i = 0; i < LangEntryCount; ++i)
        m_entries[i] = table[i] ? QString::fromUtf16(table[i]) : QString();
}
