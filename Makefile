# One tree, two targets: UEFI images under build/efi, and the same driver
# sources linked against the simulated firmware under build/host.
#   make demo   play the setup demo's script in QEMU/OVMF, pictures and out/index.html
#   make demo-live  the setup demo for a person: a window, or VNC
#   make test   host tests (plain and sanitized), short fuzz runs, then the firmware end-to-end
#               run and the boot of the toolkit built into the firmware volume
#   make bench  host benchmarks
MAKEFLAGS += --no-print-directory
BUILD ?= build
EFI_OUT := $(BUILD)/efi
HOST_OUT := $(BUILD)/host
CXX ?= g++
JOBS ?= $(shell nproc)

# Every source under controls/, generated picture sources included, at any depth.
DRIVER_SRC := $(sort $(wildcard driver/*.cpp platform/*.cpp raster/*.cpp text/*.cpp) \
                $(shell find controls -name '*.cpp' 2>/dev/null))
SHIM_SERVICE_SRC := shim/float_service.cpp shim/print_service.cpp shim/usb_tablet.cpp \
                    shim/shim_entry.cpp
SHIM_SRC := $(sort $(wildcard shim/*.cpp))
FRONTEND_SRC := $(sort $(wildcard frontend/*.cpp frontend/setup/*.cpp))
# The front-end's start-up and its firmware checks run only in OVMF.
FIRMWARE_ONLY_SRC := frontend/main.cpp frontend/report.cpp $(wildcard frontend/checks*.cpp)
SIM_SRC := $(sort $(wildcard sim/*.cpp))
TEST_SRC := $(sort $(wildcard tests/*.cpp))
BENCH_SRC := $(sort $(wildcard bench/*.cpp))

EFI_INC := -I. -I/usr/include/efi -I/usr/include/efi/x86_64 -I/usr/include/efi/protocol
# Every compile of every build fails on a warning.
WARNINGS := -Wall -Wextra -Wno-unused-parameter -Werror
# Host builds take va_list from the C library, whose <stdarg.h> the C++ headers
# have already read (clang warns when gnu-efi defines the macros again).
HOST_DEFS := -DORVANE_HOST=1 -DGNU_EFI_USE_EXTERNAL_STDARG
COMMON_FLAGS := -std=c++20 -O2 $(WARNINGS) -DGNU_EFI_USE_MS_ABI \
                -fno-math-errno -ffp-contract=off -fno-exceptions -fno-rtti
EFI_CXXFLAGS := $(COMMON_FLAGS) $(EFI_INC) -ffreestanding -fno-stack-protector -fno-stack-check \
                -fpic -fshort-wchar -mno-red-zone -maccumulate-outgoing-args \
                -fno-threadsafe-statics -fno-asynchronous-unwind-tables -fno-unwind-tables \
                -DORVANE_FIRMWARE=1
HOST_CXXFLAGS := $(COMMON_FLAGS) $(EFI_INC) -g $(HOST_DEFS) $(HOST_EXTRA)
TEST_CXXFLAGS := -std=c++20 -O2 -g $(WARNINGS) -DGNU_EFI_USE_MS_ABI \
                 -fno-math-errno -ffp-contract=off $(EFI_INC) $(HOST_DEFS) $(HOST_EXTRA)

EFI_LDFLAGS := -nostdlib -znocombreloc --no-undefined -T /usr/lib/elf_x86_64_efi.lds -shared -Bsymbolic \
               -L/usr/lib /usr/lib/crt0-efi-x86_64.o
EFI_SECTIONS := -j .text -j .sdata -j .data -j .dynamic -j .dynsym -j .rel -j .rela \
                -j .rel.* -j .rela.* -j .reloc

.PHONY: all efi host deps test unit unit-asan e2e soak demo demo-live bench fuzz clean pictures-check format-check
.PHONY: header-check docs example-test
# Keep intermediate objects (the fuzzers are built through a pattern chain).
.SECONDARY:
all: efi host

# ---------------------------------------------------------------- set-up
# Installs what a fresh Debian 12 machine lacks; quiet when all is there.
DEB_PACKAGES := g++ make binutils gnu-efi ovmf qemu-system-x86 unifont libpng-dev \
                libgtest-dev libbenchmark-dev python3 clang libclang-rt-14-dev clang-format doxygen
deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# ---------------------------------------------------------------- firmware
efi: $(EFI_OUT)/orvane.efi $(EFI_OUT)/platform-shim.efi $(EFI_OUT)/setup-demo.efi

$(EFI_OUT)/obj/%.o: %.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(EFI_CXXFLAGS) -MMD -MP -c $< -o $@
	@if objdump -h $@ | grep -qE '\.(init_array|ctors)'; then \
	  echo "$<: global constructor found; use constinit tables" >&2; rm -f $@; exit 1; fi

# The images carry no symbol table (the .so keeps it for debugging): sbsign
# would find it past the last section and warn of a gap.
define efi_image
$(EFI_OUT)/$(1).so: $(2)
	$$(LD) $$(EFI_LDFLAGS) $$^ -o $$@ -lefi -lgnuefi
$(EFI_OUT)/$(1).efi: $(EFI_OUT)/$(1).so
	objcopy $$(EFI_SECTIONS) --strip-all --target $(3) $$< $$@
endef
efi_objs = $(patsubst %.cpp,$(EFI_OUT)/obj/%.o,$(1))
# Every GUID has one definition: platform/guids.cpp, and the toolkit's two in
# driver/guids.cpp; the shim and the front-end link those same objects. The
# EDK2 modules (OrvanePkg/*.inf) list these same sources.
ORVANE_IMAGE_SRC := $(DRIVER_SRC)
SHIM_IMAGE_SRC := $(SHIM_SRC) platform/guids.cpp
FRONTEND_IMAGE_SRC := $(FRONTEND_SRC) platform/guids.cpp driver/guids.cpp
$(eval $(call efi_image,orvane,$(call efi_objs,$(ORVANE_IMAGE_SRC)),efi-bsdrv-x86_64))
$(eval $(call efi_image,platform-shim,$(call efi_objs,$(SHIM_IMAGE_SRC)),efi-bsdrv-x86_64))
$(eval $(call efi_image,setup-demo,$(call efi_objs,$(FRONTEND_IMAGE_SRC)),efi-app-x86_64))

# ---------------------------------------------------------------- host
host: $(HOST_OUT)/tests $(HOST_OUT)/bench

$(HOST_OUT)/obj/%.o: %.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(HOST_CXXFLAGS) -MMD -MP -c $< -o $@
$(HOST_OUT)/tobj/%.o: %.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(TEST_CXXFLAGS) -MMD -MP -c $< -o $@

# The real libefi, with its memset/memcpy made local so the C library's serve.
$(HOST_OUT)/libefi-host.a: /usr/lib/libefi.a
	@mkdir -p $(dir $@)
	objcopy -L memset -L memcpy $< $@

HOST_DRIVER_OBJS := $(patsubst %.cpp,$(HOST_OUT)/obj/%.o,$(DRIVER_SRC))
HOST_SIM_OBJS := $(patsubst %.cpp,$(HOST_OUT)/obj/%.o,$(SIM_SRC) $(SHIM_SERVICE_SRC)) \
                 $(patsubst %.cpp,$(HOST_OUT)/obj/%.o,$(filter-out $(FIRMWARE_ONLY_SRC),$(FRONTEND_SRC)))
HOST_LIBS := $(HOST_OUT)/libefi-host.a -lpng

# A front-end written in C11 includes the published header and drives the
# interface; the tests link it, so the header must stay valid C with the same
# layouts. It sees the toolkit through include/ alone, as a front-end does.
GNU_EFI_INC := -I/usr/include/efi -I/usr/include/efi/x86_64
C_FRONTEND_FLAGS := -std=c11 -O2 -g -Wall -Wextra -Werror -pedantic -DGNU_EFI_USE_MS_ABI \
                    -Iinclude $(GNU_EFI_INC) $(HOST_DEFS) $(HOST_EXTRA)
$(HOST_OUT)/tobj/tests/c_frontend.o: tests/c_frontend.c
	@mkdir -p $(dir $@)
	gcc $(C_FRONTEND_FLAGS) -MMD -MP -c $< -o $@

$(HOST_OUT)/tests: $(patsubst %.cpp,$(HOST_OUT)/tobj/%.o,$(TEST_SRC)) $(HOST_OUT)/tobj/tests/c_frontend.o \
                   $(HOST_DRIVER_OBJS) $(HOST_SIM_OBJS) $(HOST_OUT)/libefi-host.a
	$(CXX) $(HOST_EXTRA) -o $@ $(filter %.o,$^) $(HOST_LIBS) -lgtest -lgtest_main -pthread

# Benchmarks set the plain reference versions beside the production ones.
BENCH_SUPPORT_SRC := $(wildcard tests/*_reference.cpp)
$(HOST_OUT)/bench: $(patsubst %.cpp,$(HOST_OUT)/tobj/%.o,$(BENCH_SRC) $(BENCH_SUPPORT_SRC)) $(HOST_DRIVER_OBJS) \
                   $(HOST_SIM_OBJS) $(HOST_OUT)/libefi-host.a
	$(CXX) $(HOST_EXTRA) -o $@ $(filter %.o,$^) $(HOST_LIBS) -lbenchmark_main -lbenchmark -pthread

# ---------------------------------------------------------------- runs
unit: deps pictures-check format-check header-check docs
	$(MAKE) -j$(JOBS) $(HOST_OUT)/tests
	$(HOST_OUT)/tests --gtest_brief=1
	python3 tests/run_demo_test.py
	python3 tests/qemu_test.py
	python3 tests/firmware_tool_test.py
	python3 tests/edk2_native_test.py
	python3 tools/edk2_native.py --check

# Every C and C++ source follows .clang-format (the generated pictures opt out).
format-check:
	git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The embedded pictures are generated; the committed files must be what the generator draws.
pictures-check:
	python3 tools/gen_pictures.py --check

# Once per display device: the standard VGA (a 32-bit frame buffer) and
# virtio-gpu (Blt only, no frame buffer); tools/qemu.py lists the others.
E2E_DISPLAYS ?= std,virtio
e2e: deps
	$(MAKE) -j$(JOBS) efi $(HOST_OUT)/tests $(HOST_OUT)/render-scene
	python3 tools/e2e.py --build $(BUILD) --displays $(E2E_DISPLAYS)

# The firmware run on the standard VGA with a long soak: every control opened,
# painted, driven and closed SOAK_PASSES times (the e2e run does 20), with the
# free memory of the memory map before and after. A second or more a pass under TCG.
SOAK_PASSES ?= 1000
soak: deps
	$(MAKE) -j$(JOBS) efi $(HOST_OUT)/render-scene
	python3 tools/e2e.py --build $(BUILD) --displays std --soak $(SOAK_PASSES)

# The same tests again with AddressSanitizer and UBSan: the simulated frame
# buffer and pool blocks are sized exactly, so any stray read or write stops the run.
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all
unit-asan: deps
	$(MAKE) -j$(JOBS) BUILD=$(BUILD)/asan HOST_EXTRA="$(SANITIZE)" $(BUILD)/asan/host/tests
	$(BUILD)/asan/host/tests --gtest_brief=1

test: deps
	$(MAKE) unit
	$(MAKE) unit-asan
	$(MAKE) fuzz FUZZ_SECONDS=8
	$(MAKE) e2e
	$(MAKE) deploy-test
	$(MAKE) example-test
	$(MAKE) firmware-test
	$(MAKE) native-test

# The scripted run: real keys and pointer through QMP, a screenshot per step,
# out/index.html with the captions; fails when a step's check fails.
demo: deps
	$(MAKE) -j$(JOBS) efi
	python3 tools/run_demo.py --build $(BUILD) --out out

# The demo for a person: a QEMU window on a desktop, else VNC on 127.0.0.1:5900.
demo-live: deps
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && ! dpkg -s qemu-system-gui >/dev/null 2>&1; then \
	  $(MAKE) deps DEB_PACKAGES=qemu-system-gui; fi
	$(MAKE) -j$(JOBS) efi
	python3 tools/run_demo.py --build $(BUILD) --live

# Ends with one summary table (time, baseline, ratio, Blt and float calls per
# operation), also written to out/bench.md.
bench: deps
	$(MAKE) -j$(JOBS) $(HOST_OUT)/bench
	@mkdir -p out
	$(HOST_OUT)/bench --benchmark_counters_tabular=true --benchmark_out=out/bench.json \
	  --benchmark_out_format=json
	python3 tools/bench_table.py out/bench.json --out out/bench.md

# ---------------------------------------------------------------- fuzzers
# libFuzzer with AddressSanitizer and UBSan, built with clang: one target per
# control, the picture decoder, the primitives and the print service. Each
# runs FUZZ_SECONDS from its committed seeds (fuzz/corpus/<target>, built from
# the tests' own records) plus what earlier runs found (build/fuzz/corpus);
# `make test` gives each a short run. A finding stops the run with its log.
FUZZ_OUT := $(BUILD)/fuzz
FUZZ_SECONDS ?= 20
FUZZERS := $(patsubst fuzz/%.cpp,%,$(wildcard fuzz/fuzz_*.cpp))
FUZZ_BASE_FLAGS := -std=c++20 -O1 -g $(WARNINGS) -DGNU_EFI_USE_MS_ABI -fno-math-errno \
                   -ffp-contract=off $(EFI_INC) $(HOST_DEFS) -fsanitize=address,undefined
FUZZ_CXXFLAGS := $(FUZZ_BASE_FLAGS) -fsanitize=fuzzer-no-link
FUZZ_LIB_SRC := $(DRIVER_SRC) $(SIM_SRC) $(SHIM_SERVICE_SRC)
$(FUZZ_OUT)/obj/%.o: %.cpp
	@mkdir -p $(dir $@)
	clang++ $(FUZZ_CXXFLAGS) -MMD -MP -c $< -o $@
# The pixel layers keep edge coverage but trace no comparisons: a traced loop
# test per pixel cost more than the painting itself.
define FUZZ_PIXEL_LAYER
$$(FUZZ_OUT)/obj/$(1)/%.o: $(1)/%.cpp
	@mkdir -p $$(dir $$@)
	clang++ $$(FUZZ_CXXFLAGS) -fno-sanitize-coverage=trace-cmp -MMD -MP -c $$< -o $$@
endef
$(foreach d,raster platform text,$(eval $(call FUZZ_PIXEL_LAYER,$(d))))
# The simulated firmware is not under test: sanitized, but without coverage
# (its per-pixel Blt and font loops would only slow every unit down).
$(FUZZ_OUT)/obj/sim/%.o: sim/%.cpp
	@mkdir -p $(dir $@)
	clang++ $(FUZZ_BASE_FLAGS) -MMD -MP -c $< -o $@
$(FUZZ_OUT)/%: $(FUZZ_OUT)/obj/fuzz/%.o $(patsubst %.cpp,$(FUZZ_OUT)/obj/%.o,$(FUZZ_LIB_SRC)) \
               $(HOST_OUT)/libefi-host.a
	clang++ -fsanitize=fuzzer,address,undefined -o $@ $(filter %.o,$^) $(HOST_OUT)/libefi-host.a -lpng

fuzz: deps
	$(MAKE) -j$(JOBS) $(addprefix $(FUZZ_OUT)/,$(FUZZERS))
	@for f in $(FUZZERS); do \
	  mkdir -p $(FUZZ_OUT)/corpus/$$f; \
	  seeds=""; [ -d fuzz/corpus/$$f ] && seeds=fuzz/corpus/$$f; \
	  echo "fuzzing $$f for $(FUZZ_SECONDS) s"; \
	  if ! $(FUZZ_OUT)/$$f -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=3072 \
	      -print_final_stats=1 -artifact_prefix=$(FUZZ_OUT)/$$f- \
	      $(FUZZ_OUT)/corpus/$$f $$seeds > $(FUZZ_OUT)/$$f.log 2>&1; then \
	    tail -40 $(FUZZ_OUT)/$$f.log; echo "fuzzer $$f failed"; exit 1; fi; \
	  grep -E 'stat::number_of_executed_units' $(FUZZ_OUT)/$$f.log; \
	done

clean:
	rm -rf $(BUILD) out

# Only this Makefile's dependency files: the EDK2 tree keeps its own.
-include $(shell find $(BUILD) -path $(BUILD)/edk2 -prune -o -type f -name '*.d' -print 2>/dev/null)

# ---------------------------------------------------------------- front-end tools (host)
# render-scene draws the front-end's scenes with the host driver; the
# end-to-end run compares the firmware's screenshot against it.
$(HOST_OUT)/render-scene: $(HOST_OUT)/tobj/tools/render_scene.o $(HOST_DRIVER_OBJS) \
                          $(HOST_SIM_OBJS) $(HOST_OUT)/libefi-host.a
	$(CXX) -o $@ $(filter %.o,$^) $(HOST_LIBS)

# ---------------------------------------------------------------- shipping
# make sign: the three images signed for Secure Boot into build/efi/signed/,
# with KEY= and CERT= (PEM), else with a throwaway test key pair made once
# under build/keys/ (for testing only). make deploy-test: Secure Boot enforced
# in OVMF (keys enrolled, signed images accepted, altered or foreign ones
# refused) and the drivers installed as load options, then found at boot.
DEB_PACKAGES += sbsigntool efitools openssl
SIGNED_OUT := $(EFI_OUT)/signed
TEST_KEYS := $(BUILD)/keys
SHIPPED_IMAGES := orvane.efi platform-shim.efi setup-demo.efi
.PHONY: sign deploy-test
deploy-test: deps
	$(MAKE) -j$(JOBS) efi $(HOST_OUT)/render-scene
	python3 tools/deploy.py --build $(BUILD)
sign: deps
	@if [ -n "$(KEY)$(CERT)" ] && { [ -z "$(KEY)" ] || [ -z "$(CERT)" ]; }; then \
	  echo "sign: give both KEY= and CERT=" >&2; exit 1; fi
	$(MAKE) -j$(JOBS) efi
	@key="$(KEY)"; cert="$(CERT)"; \
	if [ -z "$$key" ]; then python3 tools/signing.py test-key $(TEST_KEYS) && \
	  key=$(TEST_KEYS)/test.key && cert=$(TEST_KEYS)/test.crt; fi; \
	python3 tools/signing.py sign --key "$$key" --cert "$$cert" --out $(SIGNED_OUT) \
	  $(addprefix $(EFI_OUT)/,$(SHIPPED_IMAGES))
# The key-enrolling application of the Secure Boot run (tools/enroll_keys.cpp).
$(eval $(call efi_image,enroll-keys,$(call efi_objs,tools/enroll_keys.cpp frontend/report.cpp platform/guids.cpp),efi-app-x86_64))
efi: $(EFI_OUT)/enroll-keys.efi

# ---------------------------------------------------------------- front-end kit
# include/orvane.h as front-ends include it: alone or after gnu-efi's own
# headers, in C11 and C++, with include/ as the toolkit's only -I. Without the
# Microsoft calling convention (gnu-efi without GNU_EFI_USE_MS_ABI, or an
# EFIAPI of another convention) it must refuse to compile, and say why.
HEADER_CHECK_FLAGS := -Wall -Wextra -Werror -pedantic -Iinclude $(GNU_EFI_INC)
header-check:
	@mkdir -p $(BUILD)
	@for f in tests/header/after_gnu_efi.c tests/header/alone.c; do \
	  gcc -std=c11 $(HEADER_CHECK_FLAGS) -DGNU_EFI_USE_MS_ABI -fsyntax-only $$f || exit 1; \
	  clang -std=c11 $(HEADER_CHECK_FLAGS) -DGNU_EFI_USE_MS_ABI -fsyntax-only $$f || exit 1; done
	@g++ -std=c++17 $(HEADER_CHECK_FLAGS) -DGNU_EFI_USE_MS_ABI -fsyntax-only tests/header/alone.cpp
	@for abi in -UGNU_EFI_USE_MS_ABI "-DEFIAPI=__attribute__((sysv_abi))"; do \
	  if gcc -std=c11 $(HEADER_CHECK_FLAGS) "$$abi" -fsyntax-only tests/header/sysv_abi.c \
	      2> $(BUILD)/header-check.log; then \
	    echo "header-check: orvane.h compiled with $$abi"; exit 1; fi; \
	  grep -q "orvane.h: EFIAPI" $(BUILD)/header-check.log || { cat $(BUILD)/header-check.log; exit 1; }; \
	done
	@python3 tools/guide_code.py docs/frontend.md skeleton.c $(BUILD)/skeleton.c
	@gcc $(EXAMPLE_CFLAGS) -fsyntax-only $(BUILD)/skeleton.c
	@echo "header-check: orvane.h compiles alone and after gnu-efi (C11, C++) and in the guide's"
	@echo "  skeleton; it refuses a System V EFIAPI"

# The HTML reference of include/orvane.h, from its own comments. Doxygen fails
# on an undocumented slot, record, field or macro and on a misnamed or missing
# @param; tools/check_enum_docs.py on a code without its comment.
DOCS_OUT := $(BUILD)/docs
docs: deps
	@rm -rf $(DOCS_OUT) && mkdir -p $(DOCS_OUT)
	@ORVANE_DOCS_OUT=$(DOCS_OUT) doxygen docs/Doxyfile || { cat $(DOCS_OUT)/warnings.log; exit 1; }
	@python3 tools/check_enum_docs.py include/orvane.h
	@echo "docs: the reference is $(DOCS_OUT)/html/orvane_8h.html"

# examples/: a boot menu in C11 on the published header alone, built as an EFI
# application with gnu-efi under the flags a careful C front-end would use.
EXAMPLE_CFLAGS := -std=c11 -O2 -Wall -Wextra -Werror -pedantic -DGNU_EFI_USE_MS_ABI -Iinclude \
                  $(GNU_EFI_INC) -ffreestanding -fpic -fno-stack-protector -fno-stack-check \
                  -mno-red-zone -maccumulate-outgoing-args
$(EFI_OUT)/obj/examples/%.o: examples/%.c
	@mkdir -p $(dir $@)
	gcc $(EXAMPLE_CFLAGS) -MMD -MP -c $< -o $@
$(eval $(call efi_image,boot-menu,$(EFI_OUT)/obj/examples/boot_menu.o,efi-app-x86_64))
all efi: $(EFI_OUT)/boot-menu.efi

# The boot menu in OVMF with scripted keys: the highlighted row moves, the
# confirm box appears, the bar fills, the screen comes back exactly (15 s).
example-test: deps
	$(MAKE) -j$(JOBS) efi
	python3 tools/run_example.py --build $(BUILD)

# ---------------------------------------------------------------- EDK2
# Debian's EDK2 source (its patches applied) with BaseTools built, at
# build/edk2/src; fetched once through a private apt configuration and kept.
DEB_PACKAGES += dpkg-dev nasm acpica-tools uuid-dev python3-distutils
EDK2_SRC := $(BUILD)/edk2/src
EDK2_STAMP := $(EDK2_SRC)/.basetools-built
.PHONY: edk2-tools
edk2-tools: deps $(EDK2_STAMP)
$(EDK2_STAMP): tools/edk2.sh
	rm -f $@; BUILD=$(BUILD) JOBS=$(JOBS) sh tools/edk2.sh

# ---------------------------------------------------------------- firmware volume
# make firmware: the shim, the toolkit and the setup front-end added to the
# DXE volume of a copy of Debian's 4 MB OVMF (OrvanePkg/Binary/*.inf say how),
# and a variable store that boots the front-end: build/firmware/. The images
# come from build/efi unless ORVANE_DRIVER=, ORVANE_SHIM= or ORVANE_SETUP=
# name others. tools/firmware.py rebuilds only when an input changed.
ORVANE_DRIVER ?=
ORVANE_SHIM ?=
ORVANE_SETUP ?=
FIRMWARE_OUT := $(BUILD)/firmware
.PHONY: firmware firmware-test
# The gnu-efi images still needed; with none, no sub-make (it would build the default goal).
FIRMWARE_EFI := $(if $(ORVANE_DRIVER),,$(EFI_OUT)/orvane.efi) \
                $(if $(ORVANE_SHIM),,$(EFI_OUT)/platform-shim.efi) \
                $(if $(ORVANE_SETUP),,$(EFI_OUT)/setup-demo.efi)
firmware: edk2-tools
	$(if $(strip $(FIRMWARE_EFI)),$(MAKE) -j$(JOBS) $(FIRMWARE_EFI))
	python3 tools/firmware.py --build $(BUILD) --out $(FIRMWARE_OUT) \
	  $(if $(ORVANE_DRIVER),--driver $(ORVANE_DRIVER)) $(if $(ORVANE_SHIM),--shim $(ORVANE_SHIM)) \
	  $(if $(ORVANE_SETUP),--setup $(ORVANE_SETUP))
# make firmware-test: that firmware booted with no disk; see tools/firmware_test.py.
firmware-test: firmware
	$(MAKE) -j$(JOBS) $(HOST_OUT)/render-scene
	python3 tools/firmware_test.py --build $(BUILD) --firmware $(FIRMWARE_OUT)

# ---------------------------------------------------------------- EDK2 build
# make native: the same three images built by EDK2's own tool chain (GCC5,
# X64, MdePkg in place of gnu-efi) from OrvanePkg/OrvanePkg.dsc, into
# build/native/. make native-test: those images in the firmware volume
# (make firmware-test), then from the disk in the end-to-end run, each with
# the host's pixels.
NATIVE_OUT := $(BUILD)/native
NATIVE_TARGET ?= RELEASE
.PHONY: native native-test native-sources
native: edk2-tools
	python3 tools/edk2_native.py --check
	BUILD=$(BUILD) OUT=$(NATIVE_OUT) TARGET=$(NATIVE_TARGET) JOBS=$(JOBS) bash tools/edk2_native.sh
native-test: native
	$(MAKE) firmware-test FIRMWARE_OUT=$(NATIVE_OUT)/firmware ORVANE_DRIVER=$(NATIVE_OUT)/orvane.efi \
	  ORVANE_SHIM=$(NATIVE_OUT)/platform-shim.efi ORVANE_SETUP=$(NATIVE_OUT)/setup-demo.efi
	$(MAKE) -j$(JOBS) $(HOST_OUT)/render-scene
	@# tools/e2e.py takes images from <build>/efi and the host tools from <build>/host.
	@mkdir -p $(NATIVE_OUT)/run && ln -sfn .. $(NATIVE_OUT)/run/efi && ln -sfn $(abspath $(HOST_OUT)) $(NATIVE_OUT)/run/host
	python3 tools/e2e.py --build $(NATIVE_OUT)/run --out out/native --displays $(E2E_DISPLAYS)

# make firmware-ovmf: OVMF itself built from source (OvmfPkgX64, 4 MB, no
# shell) with the package's source modules in its DXE volume, into
# build/native/ovmf/; rebuilt only when a source changed (a full build takes
# minutes). make firmware-ovmf-test boots it as make firmware-test does.
NATIVE_OVMF := $(NATIVE_OUT)/ovmf
NATIVE_INPUTS := $(shell find driver platform raster text controls shim frontend include OrvanePkg \
                   -type f 2>/dev/null) tools/edk2_native.sh tools/edk2_native.py
.PHONY: firmware-ovmf firmware-ovmf-test
firmware-ovmf: edk2-tools
	python3 tools/edk2_native.py --check
	$(MAKE) $(NATIVE_OVMF)/OVMF_CODE_4M.fd
$(NATIVE_OVMF)/OVMF_CODE_4M.fd: $(EDK2_STAMP) $(NATIVE_INPUTS)
	BUILD=$(BUILD) OUT=$(NATIVE_OVMF) MODE=ovmf TARGET=$(NATIVE_TARGET) JOBS=$(JOBS) \
	  bash tools/edk2_native.sh
firmware-ovmf-test: firmware-ovmf
	$(MAKE) -j$(JOBS) $(HOST_OUT)/render-scene
	python3 tools/firmware_test.py --build $(BUILD) --firmware $(NATIVE_OVMF) \
	  --vars $(NATIVE_OVMF)/blank-vars.fd --out out/ovmf

# Each image's sources, one line each, for tools/edk2_native.py.
native-sources:
	@echo "orvane: $(ORVANE_IMAGE_SRC)"
	@echo "platform-shim: $(SHIM_IMAGE_SRC)"
	@echo "setup-demo: $(FRONTEND_IMAGE_SRC)"
