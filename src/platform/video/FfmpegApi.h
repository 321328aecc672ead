#pragma once

// The FFmpeg functions the program calls. The libraries are not linked but opened
// when a clip is first read or written, so a start-up loads neither them nor the
// hundred codec and protocol libraries they pull in.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "platform/base/Result.h"

namespace ffmpeg {

#define TOLVEX_FFMPEG_FUNCTIONS(X) \
    X(av_channel_layout_default) \
    X(av_codec_is_decoder) \
    X(av_find_best_stream) \
    X(av_frame_alloc) \
    X(av_frame_free) \
    X(av_frame_get_buffer) \
    X(av_frame_make_writable) \
    X(av_frame_move_ref) \
    X(av_frame_unref) \
    X(av_guess_frame_rate) \
    X(av_interleaved_write_frame) \
    X(av_log_default_callback) \
    X(av_log_format_line2) \
    X(av_log_get_level) \
    X(av_log_set_callback) \
    X(av_log_set_level) \
    X(av_new_packet) \
    X(av_packet_alloc) \
    X(av_packet_free) \
    X(av_packet_move_ref) \
    X(av_packet_rescale_ts) \
    X(av_packet_unref) \
    X(av_read_frame) \
    X(av_reduce) \
    X(av_seek_frame) \
    X(av_strerror) \
    X(av_write_trailer) \
    X(avcodec_alloc_context3) \
    X(avcodec_descriptor_get) \
    X(avcodec_find_encoder) \
    X(avcodec_flush_buffers) \
    X(avcodec_free_context) \
    X(avcodec_open2) \
    X(avcodec_parameters_from_context) \
    X(avcodec_parameters_to_context) \
    X(avcodec_receive_frame) \
    X(avcodec_receive_packet) \
    X(avcodec_send_frame) \
    X(avcodec_send_packet) \
    X(avformat_alloc_output_context2) \
    X(avformat_close_input) \
    X(avformat_find_stream_info) \
    X(avformat_free_context) \
    X(avformat_index_get_entries_count) \
    X(avformat_index_get_entry) \
    X(avformat_new_stream) \
    X(avformat_open_input) \
    X(avformat_write_header) \
    X(avio_closep) \
    X(avio_flush) \
    X(avio_open) \
    X(swr_alloc_set_opts2) \
    X(swr_convert) \
    X(swr_free) \
    X(swr_get_out_samples) \
    X(swr_init) \
    X(sws_freeContext) \
    X(sws_getCoefficients) \
    X(sws_getContext) \
    X(sws_scale) \
    X(sws_setColorspaceDetails)

struct Functions {
#define TOLVEX_FFMPEG_POINTER(name) decltype(&::name) name = nullptr;
    TOLVEX_FFMPEG_FUNCTIONS(TOLVEX_FFMPEG_POINTER)
#undef TOLVEX_FFMPEG_POINTER
};

// Opens the libraries the program was built against at the first call and finds
// every function; later calls give the same outcome. The reason for a failure is
// logged once.
platform::Result load();
// The functions (loaded at the first call); callers that can be first ask load()
// and stop at its failure, when none is found.
const Functions& fn();

}  // namespace ffmpeg
