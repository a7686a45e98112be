# Two commands set a fresh Debian machine up: `make run` and `make test`.
# Each installs what is missing, builds, and runs.
.PHONY: all build run test fuzz bench clean

all: build

build:
	@tools/build

run: build
	@tools/run

test: build
	@tools/test

fuzz:
	@tools/install-deps --fuzz
	@tools/fuzz

bench: build
	@tools/bench

clean:
	rm -rf build dist
