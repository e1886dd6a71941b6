<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>QIODevice</name>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
</context>
<context>
    <name>Quiltra</name>
    <message>
        <source>%1 cannot be used: its path holds a line break</source>
        <translation>%1 no se puede usar: su ruta contiene un salto de línea</translation>
    </message>
    <message>
        <source>Wide HD</source>
        <translation>HD Panorámico</translation>
    </message>
    <message>
        <source>The pasted picture is too large (%1 x %2 pixels; at most %3 megapixels)</source>
        <translation>La imagen pegada es demasiado grande (%1 x %2 píxeles; como máximo %3 megapíxeles)</translation>
    </message>
    <message>
        <source>Cannot start %1: %2</source>
        <translation>No se puede ejecutar %1: %2</translation>
    </message>
    <message>
        <source>Restore Original Background</source>
        <translation>Restaurar El Fondo Original</translation>
    </message>
    <message>
        <source>Export Background As Picture...</source>
        <translation>Exportar El Fondo Como Imagen...</translation>
    </message>
    <message>
        <source>Install Background From Zip...</source>
        <translation>Instalar Un Fondo Desde Un Zip...</translation>
    </message>
    <message>
        <source>Open Background Folder</source>
        <translation>Abrir La Carpeta Del Fondo</translation>
    </message>
    <message>
        <source>Use The Addon Folder</source>
        <translation>Usar La Carpeta Addon</translation>
    </message>
    <message>
        <source>About Quiltra</source>
        <translation>Acerca De Quiltra</translation>
    </message>
    <message>
        <source>The game shows what is in its addon folder only while &quot;Allow custom addon content&quot; is on in its video options.</source>
        <translation>El juego muestra lo que hay en su carpeta addon solo si la opción &quot;Allow custom addon content&quot; está activada en sus opciones de video.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>No se puede abrir %1: %2</translation>
    </message>
    <message>
        <source>Quiltra 3.0 makes main-menu backgrounds for Counter-Strike 1.6, Condition Zero, Day of Defeat and Half-Life DeathMatch.</source>
        <translation>Quiltra 3.0 crea fondos para el menú principal de Counter-Strike 1.6, Condition Zero, Day of Defeat y Half-Life DeathMatch.</translation>
    </message>
    <message>
        <source>Restore the original background of %1? The current one is replaced.</source>
        <translation>¿Restaurar el fondo original de %1? El actual será reemplazado.</translation>
    </message>
    <message>
        <source>Original Background Restored</source>
        <translation>Fondo Original Restaurado</translation>
    </message>
    <message>
        <source>Background Exported</source>
        <translation>Fondo Exportado</translation>
    </message>
    <message>
        <source>Background Installed</source>
        <translation>Fondo Instalado</translation>
    </message>
    <message>
        <source>no file manager answered</source>
        <translation>ningún gestor de archivos respondió</translation>
    </message>
    <message>
        <source>there is not enough memory for it</source>
        <translation>no hay memoria suficiente para ella</translation>
    </message>
    <message>
        <source>Cannot load the picture %1: %2</source>
        <translation>No se puede cargar la imagen %1: %2</translation>
    </message>
    <message>
        <source>Cannot load the picture %1: it is too large (%2 x %3 pixels; at most %4 megapixels)</source>
        <translation>No se puede cargar la imagen %1: es demasiado grande (%2 x %3 píxeles; como máximo %4 megapíxeles)</translation>
    </message>
    <message>
        <source>Cannot load the picture %1: the file is damaged or incomplete</source>
        <translation>No se puede cargar la imagen %1: el archivo está dañado o incompleto</translation>
    </message>
    <message>
        <source>The picture is %1x%2 pixels, not %3</source>
        <translation>La imagen mide %1x%2 píxeles, no %3</translation>
    </message>
    <message>
        <source>within 3840x1600</source>
        <translation>dentro de 3840x1600</translation>
    </message>
    <message>
        <source>its resolution %1x%2 is not within %3x%4</source>
        <translation>su resolución %1x%2 no cabe en %3x%4</translation>
    </message>
    <message>
        <source>line %1 names a file outside the game&apos;s folder</source>
        <translation>la línea %1 nombra un archivo fuera de la carpeta del juego</translation>
    </message>
    <message>
        <source>line %1 is neither its resolution nor a tile with its place</source>
        <translation>la línea %1 no es su resolución ni un mosaico con su posición</translation>
    </message>
    <message>
        <source>it names no resolution</source>
        <translation>no indica ninguna resolución</translation>
    </message>
    <message>
        <source>There is no backup of the original background in %1</source>
        <translation>No hay una copia del fondo original en %1</translation>
    </message>
    <message>
        <source>Cannot write the TGA image: %1</source>
        <translation>No se puede escribir la imagen TGA: %1</translation>
    </message>
    <message>
        <source>the picture is empty</source>
        <translation>la imagen está vacía</translation>
    </message>
    <message>
        <source>the picture is %1x%2 pixels, but a TGA file holds at most %3 either way</source>
        <translation>la imagen mide %1x%2 píxeles, pero un archivo TGA admite como máximo %3 de ancho y de alto</translation>
    </message>
    <message>
        <source>the device is not open for writing</source>
        <translation>el dispositivo no está abierto para escritura</translation>
    </message>
    <message>
        <source>its data ends early</source>
        <translation>sus datos terminan antes de tiempo</translation>
    </message>
    <message>
        <source>it is not a true-colour TGA picture</source>
        <translation>no es una imagen TGA de color verdadero</translation>
    </message>
    <message>
        <source>it has a colour map</source>
        <translation>tiene una paleta de colores</translation>
    </message>
    <message>
        <source>it has %1 bits a pixel, not 24 or 32</source>
        <translation>tiene %1 bits por píxel, no 24 ni 32</translation>
    </message>
    <message>
        <source>it holds no pixels</source>
        <translation>no contiene píxeles</translation>
    </message>
    <message>
        <source>it is %1x%2 pixels, not within %3x%4</source>
        <translation>mide %1x%2 píxeles, no cabe en %3x%4</translation>
    </message>
    <message>
        <source>a packet of its pixels runs past the end of the picture</source>
        <translation>un paquete de sus píxeles pasa del final de la imagen</translation>
    </message>
    <message>
        <source>There is no resolution number %1</source>
        <translation>No existe la resolución número %1</translation>
    </message>
    <message>
        <source>Cannot find the game&apos;s executable %1</source>
        <translation>No se encuentra el ejecutable del juego %1</translation>
    </message>
    <message>
        <source>Cannot find the game: it is in no Steam library and Quiltra has not been shown it yet; give --game-dir or --exe</source>
        <translation>No se encuentra el juego: no está en ninguna biblioteca de Steam y aún no se le ha indicado a Quiltra; indique --game-dir o --exe</translation>
    </message>
    <message>
        <source>No game was found in Steam&apos;s libraries or in config.dat</source>
        <translation>No se encontró ningún juego en las bibliotecas de Steam ni en config.dat</translation>
    </message>
    <message>
        <source>decoding the picture</source>
        <translation>decodificando la imagen</translation>
    </message>
    <message>
        <source>writing the tiles</source>
        <translation>escribiendo los mosaicos</translation>
    </message>
    <message>
        <source>packing the background</source>
        <translation>empaquetando el fondo</translation>
    </message>
    <message>
        <source>restoring the original background</source>
        <translation>restaurando el fondo original</translation>
    </message>
    <message>
        <source>putting the background together</source>
        <translation>componiendo el fondo</translation>
    </message>
    <message>
        <source>installing the background</source>
        <translation>instalando el fondo</translation>
    </message>
    <message>
        <source>no fallback folder</source>
        <translation>no hay una carpeta alternativa</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>No se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>Cannot find the folder %1</source>
        <translation>No se encuentra la carpeta %1</translation>
    </message>
    <message>
        <source>the file could not be written completely</source>
        <translation>el archivo no se pudo escribir completo</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>el archivo es de solo lectura</translation>
    </message>
    <message>
        <source>a folder or other non-file has that name</source>
        <translation>una carpeta u otra cosa que no es un archivo tiene ese nombre</translation>
    </message>
    <message>
        <source>its folder does not exist</source>
        <translation>su carpeta no existe</translation>
    </message>
    <message>
        <source>it cannot be read: %1</source>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>it has more than %1 entries</source>
        <translation>tiene más de %1 entradas</translation>
    </message>
    <message>
        <source>the entry %1 cannot be read: %2</source>
        <translation>la entrada %1 no se puede leer: %2</translation>
    </message>
    <message>
        <source>the entry %1 climbs out of its folder</source>
        <translation>la entrada %1 sale de su carpeta</translation>
    </message>
    <message>
        <source>the entry %1 has an absolute name or a drive letter</source>
        <translation>la entrada %1 tiene un nombre absoluto o una letra de unidad</translation>
    </message>
    <message>
        <source>the entry %1 is a link, not a file</source>
        <translation>la entrada %1 es un enlace, no un archivo</translation>
    </message>
    <message>
        <source>the entry %1 is neither a layout file nor a TGA tile</source>
        <translation>la entrada %1 no es un archivo de disposición ni un mosaico TGA</translation>
    </message>
    <message>
        <source>the entry %1 holds %2 a second time</source>
        <translation>la entrada %1 repite %2</translation>
    </message>
    <message>
        <source>the entry %1 is encrypted</source>
        <translation>la entrada %1 está cifrada</translation>
    </message>
    <message>
        <source>the entry %1 is larger than %2 KB</source>
        <translation>la entrada %1 supera los %2 KB</translation>
    </message>
    <message>
        <source>the entry %1 inflates past its declared size of %2 bytes</source>
        <translation>la entrada %1 se descomprime más allá de su tamaño declarado de %2 bytes</translation>
    </message>
    <message>
        <source>Cannot install the background %1: %2</source>
        <translation>No se puede instalar el fondo %1: %2</translation>
    </message>
    <message>
        <source>it holds no layout file</source>
        <translation>no contiene ningún archivo de disposición</translation>
    </message>
    <message>
        <source>the layout file %1 names the tile %2, which is neither in the archive nor in %3</source>
        <translation>el archivo de disposición %1 nombra el mosaico %2, que no está ni en el archivo zip ni en %3</translation>
    </message>
    <message>
        <source>it changed while it was being installed</source>
        <translation>cambió mientras se instalaba</translation>
    </message>
    <message>
        <source>Cannot pack the background: %1 and %2 differ; make the background again</source>
        <translation>No se puede empaquetar el fondo: %1 y %2 son distintos; vuelva a crear el fondo</translation>
    </message>
    <message>
        <source>Cannot pack the background: %1 names %2, which is not in the background folder</source>
        <translation>No se puede empaquetar el fondo: %1 nombra %2, que no está en la carpeta del fondo</translation>
    </message>
    <message>
        <source>Cannot add %1: it is not an ordinary file</source>
        <translation>No se puede agregar %1: no es un archivo común</translation>
    </message>
    <message>
        <source>Cannot add %1: the file does not exist</source>
        <translation>No se puede agregar %1: el archivo no existe</translation>
    </message>
    <message>
        <source>the file already exists</source>
        <translation>el archivo ya existe</translation>
    </message>
    <message>
        <source>more than 65535 entries</source>
        <translation>más de 65535 entradas</translation>
    </message>
    <message>
        <source>the archive comment is longer than 65535 bytes</source>
        <translation>el comentario del archivo zip supera los 65535 bytes</translation>
    </message>
    <message>
        <source>the archive would be larger than 4 GiB</source>
        <translation>el archivo zip superaría los 4 GiB</translation>
    </message>
    <message>
        <source>Cannot add %1: it is larger than 4 GiB</source>
        <translation>No se puede agregar %1: supera los 4 GiB</translation>
    </message>
    <message>
        <source>Cannot compress %1: zlib error %2</source>
        <translation>No se puede comprimir %1: error %2 de zlib</translation>
    </message>
    <message>
        <source>Cannot add %1: it is too large to compress</source>
        <translation>No se puede agregar %1: es demasiado grande para comprimirlo</translation>
    </message>
    <message>
        <source>the name of an entry is longer than 65535 bytes</source>
        <translation>el nombre de una entrada supera los 65535 bytes</translation>
    </message>
    <message>
        <source>the comment of %1 is longer than 65535 bytes</source>
        <translation>el comentario de %1 supera los 65535 bytes</translation>
    </message>
    <message>
        <source>%1 is larger than 4 GiB</source>
        <translation>%1 supera los 4 GiB</translation>
    </message>
    <message>
        <source>line %1 leaves a quote open</source>
        <translation>la línea %1 deja unas comillas abiertas</translation>
    </message>
    <message>
        <source>line %1 names the resolution a second time</source>
        <translation>la línea %1 indica la resolución por segunda vez</translation>
    </message>
    <message>
        <source>line %1 places a tile before the resolution is named</source>
        <translation>la línea %1 coloca un mosaico antes de indicar la resolución</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>supera los %1 KB</translation>
    </message>
    <message>
        <source>the name of the entry %1 is not UTF-8 text</source>
        <translation>el nombre de la entrada %1 no es texto UTF-8</translation>
    </message>
    <message>
        <source>the name of the entry %1 holds a control character</source>
        <translation>el nombre de la entrada %1 contiene un carácter de control</translation>
    </message>
    <message>
        <source>the name of the entry %1 is longer than the %2 bytes a file name may have here</source>
        <translation>el nombre de la entrada %1 supera los %2 bytes que puede tener aquí un nombre de archivo</translation>
    </message>
    <message>
        <source>the tile %1 is not one the game can show: %2</source>
        <translation>el mosaico %1 no es uno que el juego pueda mostrar: %2</translation>
    </message>
    <message>
        <source>the layout file %1 cannot be read: %2</source>
        <translation>el archivo de disposición %1 no se puede leer: %2</translation>
    </message>
    <message>
        <source>the layout file %1 names %2, which is not in the background folder</source>
        <translation>el archivo de disposición %1 nombra %2, que no está en la carpeta del fondo</translation>
    </message>
    <message>
        <source>the layout files %1 and %2 differ</source>
        <translation>los archivos de disposición %1 y %2 son distintos</translation>
    </message>
    <message>
        <source>Cannot pack the background: there is no layout file in %1</source>
        <translation>No se puede empaquetar el fondo: no hay ningún archivo de disposición en %1</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>falta %1</translation>
    </message>
    <message>
        <source>%1 is cut short</source>
        <translation>%1 está incompleto</translation>
    </message>
    <message>
        <source>%1 holds %2 lines, not the %3 its last line counts</source>
        <translation>%1 tiene %2 líneas, no las %3 que cuenta su última línea</translation>
    </message>
    <message>
        <source>line %1 of %2 is not understood</source>
        <translation>la línea %1 de %2 no se entiende</translation>
    </message>
    <message>
        <source>The backup of the original background is damaged: %1; repair or remove the folder %2 before changing the background</source>
        <translation>La copia del fondo original está dañada: %1; repare o borre la carpeta %2 antes de cambiar el fondo</translation>
    </message>
    <message>
        <source>%1 cannot be kept in the backup of the original background: its name holds a line break, a backslash or a colon</source>
        <translation>%1 no se puede guardar en la copia del fondo original: su nombre contiene un salto de línea, una barra invertida o dos puntos</translation>
    </message>
    <message>
        <source>The backup of the original background is damaged: %1; nothing was restored</source>
        <translation>La copia del fondo original está dañada: %1; no se restauró nada</translation>
    </message>
    <message>
        <source>%1 is not the file that was kept</source>
        <translation>%1 no es el archivo que se guardó</translation>
    </message>
    <message>
        <source>Cannot write the output: %1</source>
        <translation>No se puede escribir la salida: %1</translation>
    </message>
    <message>
        <source>a picture is exported as .png, .jpg, .jpeg or .bmp</source>
        <translation>una imagen se exporta como .png, .jpg, .jpeg o .bmp</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>%1 could not be put back: %2; it is put right at the next start</source>
        <translation>%1 no se pudo devolver a su sitio: %2; se corrige en el próximo inicio</translation>
    </message>
    <message>
        <source>it is not a journal of an interrupted change</source>
        <translation>no es un registro de un cambio interrumpido</translation>
    </message>
    <message>
        <source>An interrupted change in %1 was undone; its files are as they were</source>
        <translation>Se deshizo un cambio interrumpido en %1; sus archivos están como estaban</translation>
    </message>
    <message>
        <source>An interrupted change in %1 was completed</source>
        <translation>Se completó un cambio interrumpido en %1</translation>
    </message>
    <message>
        <source>its name is longer than the %1 bytes a file name may have here</source>
        <translation>su nombre supera los %1 bytes que puede tener aquí un nombre de archivo</translation>
    </message>
    <message>
        <source>its name holds a control character</source>
        <translation>su nombre contiene un carácter de control</translation>
    </message>
    <message>
        <source>There is not enough free space in %1: %2 KB are needed, %3 KB are free</source>
        <translation>No hay suficiente espacio libre en %1: se necesitan %2 KB y hay %3 KB libres</translation>
    </message>
    <message>
        <source>it is not an ordinary file (a folder, a device or a pipe)</source>
        <translation>no es un archivo común (es una carpeta, un dispositivo o una tubería)</translation>
    </message>
    <message>
        <source>Made for:</source>
        <translation>Hecho para:</translation>
    </message>
    <message>
        <source>The area %1 is not inside the picture, which is %2.</source>
        <translation>El área %1 no está dentro de la imagen, que mide %2.</translation>
    </message>
    <message>
        <source>No part of the picture shows the area %1 whole on every screen from 4:3 to 21:9: it is too wide or too high for a picture of %2.</source>
        <translation>Ninguna parte de la imagen muestra el área %1 entera en todas las pantallas de 4:3 a 21:9: es demasiado ancha o demasiado alta para una imagen de %2.</translation>
    </message>
    <message>
        <source>The area %1 does not have the shape of a %2 screen.</source>
        <translation>El área %1 no tiene la forma de una pantalla %2.</translation>
    </message>
</context>
<context>
    <name>SkinnedControl</name>
    <message>
        <source>Overflow: the opacity %1 is outside 0..255</source>
        <translation>Desbordamiento: la opacidad %1 está fuera de 0..255</translation>
    </message>
</context>
</TS>
