# The 7-Zip engine as the launcher needs it: the full engine's object list
# (Format7zF's Arc_gcc.mak) without the formats and codecs that 7z, Zip, Cab,
# Lzma and Lzma86 packages never use (a third fewer objects to compile, 2 MB
# instead of 3.3). Zip's handler names the Zstd and Lzfse decoders itself, so
# they stay. Run by scripts/windows-deps from 7-Zip's
# CPP/7zip/Bundles/Format7zF folder with cmpl_gcc.mak's variables.
PROG = 7z
DEF_FILE = ../../Archive/Archive2.def
include ../../var_gcc.mak
include ../../warn_gcc.mak
include Arc_gcc.mak

UNUSED_OBJS = \
  $(filter-out $O/LzmaHandler.o $O/DeflateProps.o,$(AR_OBJS)) \
  $(CHM_OBJS) $(ISO_OBJS) $(NSIS_OBJS) $(TAR_OBJS) $(UDF_OBJS) $(WIM_OBJS) \
  $O/LzhDecoder.o $O/LzmsDecoder.o $O/XpressDecoder.o \
  $O/ZlibDecoder.o $O/ZlibEncoder.o $O/ZDecoder.o \
  $O/Xxh64Reg.o $O/Blake2s.o $O/Sha3.o $O/Sha3Reg.o \
  $O/Sha512.o $O/Sha512Opt.o $O/Sha512Prepare.o $O/Sha512Reg.o $O/MyXml.o

OBJS = \
  $(filter-out $(UNUSED_OBJS),$(ARC_OBJS)) \
  $O/ArchiveExports.o \
  $O/DllExports2.o \
  $O/CodecExports.o \
  $O/resource.o \

LOCAL_FLAGS = -DZ7_EXTERNAL_CODECS

include ../../7zip_gcc.mak
