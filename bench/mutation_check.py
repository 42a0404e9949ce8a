#!/usr/bin/env python3
"""Applies plausible faults to the engine, one at a time, and reports which ones the test
suite catches: a fault that no test notices is a gap in the tests.

Each mutant is a copy of the source tree with one exact text replaced; it is built and the
engine and command-line suites run against it (the slow kill and race tests left out).

Usage: bench/mutation_check.py [--only WORDS] [BUILD_DIR]   (default: a temporary folder)
  --only WORDS   only the faults whose name contains WORDS
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# (name, file, original text, replacement)
MUTANTS = [
    ("short write not looped", "engine/files/save_file.cpp",
     "    data += done;\n    size -= done;\n", "    return 0;\n"),
    ("interrupted write not retried", "engine/files/save_file.cpp",
     "    if (e == EINTR) continue;\n", ""),
    ("header read loop stops after one read", "engine/files/input_file.cpp",
     "    got += done;\n", "    got += done;\n    break;\n"),
    ("O_TRUNC instead of exclusive creation", "engine/files/posix_file_system.cpp",
     "O_WRONLY | O_CREAT | O_EXCL |", "O_WRONLY | O_CREAT | O_TRUNC |"),
    ("temporary file created 0666", "engine/files/save_file.cpp",
     "files_.CreateNew(folder_, name, 0600, fd_)", "files_.CreateNew(folder_, name, 0666, fd_)"),
    ("new target renamed over whatever appeared", "engine/files/save_file.cpp",
     "int e = files_.RenameNoReplace(folder_, temporary_, name_);",
     "int e = files_.Rename(folder_, temporary_, name_);"),
    ("rename before fsync", "engine/files/save_file.cpp",
     "  if (int e = files_.Sync(fd_)) return e;\n  if (temporary_.empty()) {",
     "  if (temporary_.empty()) {"),
    ("unlink then rename", "engine/files/save_file.cpp",
     "  if (int e = files_.Rename(folder_, temporary_, name_)) return e;",
     "  files_.Remove(folder_, name_);\n"
     "  if (int e = files_.Rename(folder_, temporary_, name_)) return e;"),
    ("header span off by one", "engine/formats/header.hpp",
     "constexpr std::size_t kHeaderSpan = 49;", "constexpr std::size_t kHeaderSpan = 50;"),
    ("signal handler leaves the temporary file", "engine/files/signal_cleanup.cpp",
     "  if (temporaryRegistered) ::unlinkat(temporaryFolder, temporaryName, 0);", ""),
    ("write-protected target replaced", "engine/files/target_file.cpp",
     "    if (int e = files_.CheckWritable(folder_.fd(), name)) {\n"
     "      return Error::Of(ErrorKind::CannotReplace, target_, e);\n    }\n", ""),
    ("dangling link written through", "engine/files/target_file.cpp",
     "      if (existing_.kind == FileKind::Missing) {\n"
     "        return Error::Of(ErrorKind::TargetIsADanglingLink, target_);\n      }\n", ""),
    ("source written over itself", "engine/files/target_file.cpp",
     "    if (Status other = NotTheSource(existing_, target_, options_); !other) return other;\n",
     ""),
    ("a run replaces a file it wrote", "engine/files/target_file.cpp",
     "options_.written != nullptr && options_.written->Contains(existing_)", "false"),
    ("standard output errors ignored", "frontend/cli/start_up.cpp",
     "  if (const int error = out.Finish()) {", "  if (const int error = 0 * out.Finish()) {"),
    ("temporary name built from the folder's path", "engine/files/save_file.cpp",
     "    const std::string name = FreshTemporaryName();",
     "    const std::string name = folderPath_ + FreshTemporaryName();"),
    ("assembly moves like data", "engine/formats/variable_types.cpp",
     '{0x21, "z", Movement::ModelSpecific}', '{0x21, "z", Movement::Moves}'),
    ("a group told by its count alone", "engine/formats/variable_types.cpp",
     "if (count < 2 || firstOffset != layout::kFirstEntry + layout::kEntrySize * count + 6) {",
     "if (count < 2) {"),
    ("target named by the source's extension", "engine/files/converter.cpp",
     ": TargetName(source, model, Purpose::Conversion, content.value_or(FileContent{}));",
     ": TargetName(source, model, Purpose::Conversion);"),
    ("program not marked to be parsed", "engine/formats/program_variable.cpp",
     "  data += static_cast<char>(kToParse);\n", "  data += '\\0';\n"),
    ("a function's tag accepted in a program", "engine/formats/program_variable.cpp",
     "  if (tag != TagOf(kind)) reading.problems.push_back("
     "{Kind::ProgramKindTag, tag, TagOf(kind)});\n",
     ""),
    ("escape of theta off by one", "engine/formats/link_export.cpp",
     '{0x88, "theta"}', '{0x89, "theta"}'),
    ("a slash allowed in a group's names", "engine/formats/variable_file.cpp",
     "if (code < 0x20 || code == 0x7F || c == '/') return false;",
     "if (code < 0x20 || code == 0x7F) return false;"),
    ("two variables of one name in a group accepted", "engine/formats/variable_file.cpp",
     "      problems.push_back(std::move(twice));\n", ""),
    ("an extracted name keeps its slash", "engine/formats/target_names.cpp",
     "if (c == '/' ||", "if ("),
    ("a group made over one of its sources", "engine/files/group_transfer.cpp",
     "    if (Status refused = RefuseSource(files_, target, options); !refused) return refused;\n",
     ""),
]

SLOW = "*Killed*:*Interrupted*:*TwoProcesses*"


def run(command, cwd, log):
    return subprocess.run(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT).returncode == 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--only", default="")
    parser.add_argument("build", nargs="?")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="orbisk-mutants-")
    source = os.path.join(work, "source")
    build = args.build or os.path.join(work, "build")
    files = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                           cwd=ROOT, capture_output=True, text=True, check=True).stdout.split()
    for name in files:
        os.makedirs(os.path.dirname(os.path.join(source, name)) or source, exist_ok=True)
        shutil.copy2(os.path.join(ROOT, name), os.path.join(source, name))
    log = open(os.path.join(work, "log.txt"), "w")
    if not run(["cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                "-DORBISK_BUILD_GUI=OFF"], work, log):
        sys.exit(f"configuring failed, see {log.name}")
    targets = ["--target", "engine_tests", "cli_tests", "orbisk"]

    def suite_passes():
        if not run(["cmake", "--build", build, "--parallel", str(os.cpu_count()), *targets],
                   work, log):
            return None
        return (run([f"{build}/bin/engine_tests"], work, log) and
                run([f"{build}/bin/cli_tests", f"--gtest_filter=-{SLOW}"], work, log))

    if suite_passes() is not True:
        sys.exit(f"the suite does not pass on the unchanged code, see {log.name}")
    print("| fault | caught |\n|---|---|")
    missed = 0
    for name, path, original, replacement in MUTANTS:
        if args.only not in name:
            continue
        full = os.path.join(source, path)
        text = open(full).read()
        if text.count(original) != 1:
            print(f"| {name} | not applicable: the code it changes has moved |")
            missed += 1
            continue
        open(full, "w").write(text.replace(original, replacement))
        passes = suite_passes()
        open(full, "w").write(text)
        verdict = "does not build" if passes is None else "no: MISSED" if passes else "yes"
        missed += passes is True
        print(f"| {name} | {verdict} |", flush=True)
    log.close()
    shutil.rmtree(work)
    sys.exit(1 if missed else 0)


if __name__ == "__main__":
    main()
