# Two commands set a fresh Debian machine up: `make run` and `make test`.
# Each installs what is missing, builds, and runs. `make package` makes the zip and the installer.
.PHONY: all build run test package test-package fuzz bench clean

all: build

build:
	@tools/build

run: build
	@tools/run

test: build
	@tools/test

package: build
	@tools/package

test-package: package
	@tools/test-package

fuzz:
	@tools/install-deps --fuzz
	@tools/fuzz

bench: build
	@tools/bench

clean:
	rm -rf build dist
