# make demo   build, then run the chainer on examples/demo under Wine and show what it did
# make test   build, then run every test (unit, host sanitizers, fuzzing, end-to-end)
# Both install what is missing first (Debian packages, 32-bit emulation, the Wine prefix).

WIN  := build/win32
HOST := build/host

.PHONY: all deps build host prefix test demo clean

all: build

deps:
	@scripts/bootstrap.sh

build: deps
	@[ -f $(WIN)/build.ninja ] || cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN)

host: deps
	@[ -f $(HOST)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(HOST) -G Ninja >/dev/null
	@cmake --build $(HOST)

prefix: deps
	@scripts/prefix.sh

test: build host prefix
	@scripts/test.sh

demo: build prefix
	@scripts/demo.sh

clean:
	rm -rf $(WIN) $(HOST)
