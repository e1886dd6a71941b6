#include "lang/messagetranslator.h"

#include <cstring>
#include <iterator>

namespace {

struct Message {
    const char *English;
    const char16_t *Spanish;
};

const Message Messages[] = {
    // Writing files
    {"Cannot write %1: %2", u"No se puede escribir %1: %2"},
    {"the file could not be written completely", u"el archivo no se pudo escribir completo"},
    {"the file is read-only", u"el archivo es de solo lectura"},
    {"a folder or other non-file has that name", u"una carpeta u otra cosa que no es un archivo tiene ese nombre"},
    {"its folder does not exist", u"su carpeta no existe"},
    {"its folder cannot be made", u"no se puede crear su carpeta"},
    {"Cannot remove %1: %2", u"No se puede borrar %1: %2"},
    {"There is no backup of the original background in %1",
     u"No hay una copia del fondo original en %1"},
    {"the file already exists", u"el archivo ya existe"},
    {"Cannot read %1: %2", u"No se puede leer %1: %2"},
    {"Cannot find the folder %1", u"No se encuentra la carpeta %1"},
    {"Cannot create the folder %1", u"No se puede crear la carpeta %1"},
    {"no fallback folder", u"no hay una carpeta alternativa"},
    // Tiles and layout files
    {"Cannot write the TGA image: %1", u"No se puede escribir la imagen TGA: %1"},
    {"the picture is empty", u"la imagen est\u00E1 vac\u00EDa"},
    {"the picture is %1x%2 pixels, but a TGA file holds at most %3 either way",
     u"la imagen mide %1x%2 p\u00EDxeles, pero un archivo TGA admite como m\u00E1ximo %3 de ancho y de alto"},
    {"the device is not open for writing", u"el dispositivo no est\u00E1 abierto para escritura"},
    {"There is no resolution number %1", u"No existe la resoluci\u00F3n n\u00FAmero %1"},
    {"The picture is %1x%2 pixels, not %3", u"La imagen mide %1x%2 p\u00EDxeles, no %3"},
    {"within 3840x1600", u"dentro de 3840x1600"},
    // Archives
    {"Cannot add %1: it is not an ordinary file", u"No se puede agregar %1: no es un archivo com\u00FAn"},
    {"Cannot add %1: the file does not exist", u"No se puede agregar %1: el archivo no existe"},
    {"Cannot add %1: it is larger than 4 GiB", u"No se puede agregar %1: supera los 4 GiB"},
    {"Cannot add %1: it is too large to compress", u"No se puede agregar %1: es demasiado grande para comprimirlo"},
    {"Cannot compress %1: zlib error %2", u"No se puede comprimir %1: error %2 de zlib"},
    {"more than 65535 entries", u"m\u00E1s de 65535 entradas"},
    {"the archive comment is longer than 65535 bytes", u"el comentario del archivo zip supera los 65535 bytes"},
    {"the archive would be larger than 4 GiB", u"el archivo zip superar\u00EDa los 4 GiB"},
    {"the name of an entry is longer than 65535 bytes", u"el nombre de una entrada supera los 65535 bytes"},
    {"the comment of %1 is longer than 65535 bytes", u"el comentario de %1 supera los 65535 bytes"},
    {"%1 is larger than 4 GiB", u"%1 supera los 4 GiB"},
    {"Cannot pack the background: %1 and %2 differ; make the background again",
     u"No se puede empaquetar el fondo: %1 y %2 son distintos; vuelva a crear el fondo"},
    // The command line
    {"Cannot find the game's executable %1", u"No se encuentra el ejecutable del juego %1"},
    {"Cannot find the game: it is in no Steam library and Quiltra has not been shown it yet; give --game-dir or --exe",
     u"No se encuentra el juego: no está en ninguna biblioteca de Steam y aún no se le ha indicado a Quiltra; indique --game-dir o --exe"},
    {"No game was found in Steam's libraries or in config.dat",
     u"No se encontró ningún juego en las bibliotecas de Steam ni en config.dat"},
    {"decoding the picture", u"decodificando la imagen"},
    {"writing the tiles", u"escribiendo los mosaicos"},
    {"packing the background", u"empaquetando el fondo"},
    {"restoring the original background", u"restaurando el fondo original"},
    {"putting the background together", u"componiendo el fondo"},
    {"installing the background", u"instalando el fondo"},
    {"Cannot pack the background: %1 names %2, which is not in the background folder",
     u"No se puede empaquetar el fondo: %1 nombra %2, que no está en la carpeta del fondo"},
    // Reading the game's tiles and layout files
    {"its data ends early", u"sus datos terminan antes de tiempo"},
    {"it is not a true-colour TGA picture", u"no es una imagen TGA de color verdadero"},
    {"it has a colour map", u"tiene una paleta de colores"},
    {"it has %1 bits a pixel, not 24 or 32", u"tiene %1 bits por p\u00EDxel, no 24 ni 32"},
    {"it holds no pixels", u"no contiene p\u00EDxeles"},
    {"it is %1x%2 pixels, not within %3x%4", u"mide %1x%2 p\u00EDxeles, no cabe en %3x%4"},
    {"there is not enough memory for it", u"no hay memoria suficiente para ella"},
    {"a packet of its pixels runs past the end of the picture", u"un paquete de sus p\u00EDxeles pasa del final de la imagen"},
    {"its resolution %1x%2 is not within %3x%4", u"su resoluci\u00F3n %1x%2 no cabe en %3x%4"},
    {"line %1 names a file outside the game's folder", u"la l\u00EDnea %1 nombra un archivo fuera de la carpeta del juego"},
    {"line %1 is neither its resolution nor a tile with its place", u"la l\u00EDnea %1 no es su resoluci\u00F3n ni un mosaico con su posici\u00F3n"},
    {"it names no resolution", u"no indica ninguna resoluci\u00F3n"},
    // Installing a shared background
    {"Cannot install the background %1: %2", u"No se puede instalar el fondo %1: %2"},
    {"it cannot be read: %1", u"no se puede leer: %1"},
    {"it has more than %1 entries", u"tiene m\u00E1s de %1 entradas"},
    {"it holds no layout file", u"no contiene ning\u00FAn archivo de disposici\u00F3n"},
    {"it changed while it was being installed", u"cambi\u00F3 mientras se instalaba"},
    {"the entry %1 cannot be read: %2", u"la entrada %1 no se puede leer: %2"},
    {"the entry %1 climbs out of its folder", u"la entrada %1 sale de su carpeta"},
    {"the entry %1 has an absolute name or a drive letter", u"la entrada %1 tiene un nombre absoluto o una letra de unidad"},
    {"the entry %1 is a link, not a file", u"la entrada %1 es un enlace, no un archivo"},
    {"the entry %1 is neither a layout file nor a TGA tile", u"la entrada %1 no es un archivo de disposici\u00F3n ni un mosaico TGA"},
    {"the entry %1 holds %2 a second time", u"la entrada %1 repite %2"},
    {"the entry %1 is encrypted", u"la entrada %1 est\u00E1 cifrada"},
    {"the entry %1 is larger than %2 KB", u"la entrada %1 supera los %2 KB"},
    {"the entry %1 inflates past its declared size of %2 bytes", u"la entrada %1 se descomprime m\u00E1s all\u00E1 de su tama\u00F1o declarado de %2 bytes"},
    {"the entry %1 is not a 24- or 32-bit TGA picture of 1x1 to 256x256 pixels",
     u"la entrada %1 no es una imagen TGA de 24 o 32 bits de 1x1 a 256x256 p\u00EDxeles"},
    {"the entry %1 is cut short: its picture needs %2 bytes, it has %3",
     u"la entrada %1 est\u00E1 incompleta: su imagen necesita %2 bytes y tiene %3"},
    {"the layout file %1 names the tile %2, which is neither in the archive nor in %3",
     u"el archivo de disposici\u00F3n %1 nombra el mosaico %2, que no est\u00E1 ni en el archivo zip ni en %3"},
    // Pictures
    {"Cannot load the picture %1: %2", u"No se puede cargar la imagen %1: %2"},
    {"Cannot load the picture %1: it is too large (%2 x %3 pixels; at most %4 megapixels)",
     u"No se puede cargar la imagen %1: es demasiado grande (%2 x %3 p\u00EDxeles; como m\u00E1ximo %4 megap\u00EDxeles)"},
    {"The pasted picture is too large (%1 x %2 pixels; at most %3 megapixels)",
     u"La imagen pegada es demasiado grande (%1 x %2 p\u00EDxeles; como m\u00E1ximo %3 megap\u00EDxeles)"},
    {"Cannot load the picture %1: the file is damaged or incomplete",
     u"No se puede cargar la imagen %1: el archivo est\u00E1 da\u00F1ado o incompleto"},
    // Starting the game, choosing files and folders
    {"Cannot start %1: %2", u"No se puede ejecutar %1: %2"},
    {"Cannot open %1: %2", u"No se puede abrir %1: %2"},
    {"no file manager answered", u"ning\u00FAn gestor de archivos respondi\u00F3"},
    // The resolution list and the title panel's menu
    {"Wide HD", u"HD Panor\u00E1mico"},
    {"Restore Original Background", u"Restaurar El Fondo Original"},
    {"Open Background Folder", u"Abrir La Carpeta Del Fondo"},
    {"About Quiltra", u"Acerca De Quiltra"},
    {"Use The Addon Folder", u"Usar La Carpeta Addon"},
    {"Export Background As Picture...", u"Exportar El Fondo Como Imagen..."},
    {"Install Background From Zip...", u"Instalar Un Fondo Desde Un Zip..."},
    {"Background Exported", u"Fondo Exportado"},
    {"Background Installed", u"Fondo Instalado"},
    {"The game shows what is in its addon folder only while \"Allow custom addon content\" is on in its video options.",
     u"El juego muestra lo que hay en su carpeta addon solo si la opci\u00F3n \"Allow custom addon content\" est\u00E1 activada en sus opciones de video."},
    {"Restore the original background of %1? The current one is replaced.",
     u"\u00BFRestaurar el fondo original de %1? El actual ser\u00E1 reemplazado."},
    {"Original Background Restored", u"Fondo Original Restaurado"},
    {"Quiltra 3.0 makes main-menu backgrounds for Counter-Strike 1.6, Condition Zero, Day of Defeat and Half-Life DeathMatch.",
     u"Quiltra 3.0 crea fondos para el men\u00FA principal de Counter-Strike 1.6, Condition Zero, Day of Defeat y Half-Life DeathMatch."},
    {"%1 cannot be used: its path holds a line break",
     u"%1 no se puede usar: su ruta contiene un salto de l\u00EDnea"},
};

} // namespace

QString SpanishMessage(const char *english)
{
    for (const Message &message : Messages) {
        if (english && std::strcmp(message.English, english) == 0)
            return QString::fromUtf16(message.Spanish);
    }
    return {};
}

int MessageCount()
{
    return int(std::size(Messages));
}

const char *EnglishMessage(int index)
{
    return index >= 0 && index < MessageCount() ? Messages[index].English : nullptr;
}

QString MessageTranslator::translate(const char *context, const char *sourceText, const char *,
                                     int) const
{
    return context && std::strcmp(context, "Quiltra") == 0 ? SpanishMessage(sourceText) : QString();
}
