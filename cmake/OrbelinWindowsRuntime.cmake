# The DLLs a Windows executable needs beside it: the Qt libraries, the MinGW runtime, the
# platform plugin and the styles. Copied once into the executables' folder, so the programs
# and tests run there under Wine as they will from the unpacked package.
set(runtime_dir ${CMAKE_BINARY_DIR}/bin)
file(MAKE_DIRECTORY ${runtime_dir}/platforms ${runtime_dir}/styles)
file(GLOB qt_dlls ${ORBELIN_WINDOWS_SDK_DIR}/bin/Qt6Core.dll ${ORBELIN_WINDOWS_SDK_DIR}/bin/Qt6Gui.dll
     ${ORBELIN_WINDOWS_SDK_DIR}/bin/Qt6Widgets.dll ${ORBELIN_WINDOWS_SDK_DIR}/runtime/*.dll)
file(COPY ${qt_dlls} DESTINATION ${runtime_dir})
file(COPY ${ORBELIN_WINDOWS_SDK_DIR}/plugins/platforms/qwindows.dll
          ${ORBELIN_WINDOWS_SDK_DIR}/plugins/platforms/qoffscreen.dll DESTINATION ${runtime_dir}/platforms)
file(COPY ${ORBELIN_WINDOWS_SDK_DIR}/plugins/styles/ DESTINATION ${runtime_dir}/styles)

# Windows programs that run at build time (the EAN128 table writer) and the tests run under Wine.
set(ORBELIN_WINE_LAUNCHER ${PROJECT_SOURCE_DIR}/tests/platform/win32/with-wine.sh CACHE INTERNAL "Runs a program under Wine")
