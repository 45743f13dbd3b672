# The shapes' three pictures (resources/*.bmp, drawn by tools/pictures/make_pictures.py):
# embedded into the portable programs (effects/CMakeLists.txt), BITMAP resources of the saver.
set(ORV_PICTURES
  BANNER=${PROJECT_SOURCE_DIR}/resources/banner.bmp
  ORLOGO=${PROJECT_SOURCE_DIR}/resources/orlogo.bmp
  YINYANG=${PROJECT_SOURCE_DIR}/resources/yinyang.bmp
)
set(ORV_PICTURE_FILES ${ORV_PICTURES})
list(TRANSFORM ORV_PICTURE_FILES REPLACE "^[A-Z]+=" "")
